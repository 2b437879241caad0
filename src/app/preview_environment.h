// What Qt WebEngine needs, since the live preview loads it only later: its
// environment before the application object exists (set by the entry point,
// costing nothing), its shared OpenGL context just before it loads.
#pragma once

#include <QByteArray>

// As root, Chromium's sandbox off (it refuses to run as root), unless the
// environment says otherwise; where no GPU renders (offscreen, or no render
// node to open), software rendering.
void PrepareForPreviewEngine();

// The context the engine shares its textures through, made as the engine
// would make it were it loaded before the application object: made at start-up
// it would load the OpenGL driver for a window that never needs it.
void ShareOpenGLContextsForPreviewEngine();

namespace PreviewEnvironment::detail {
// Whether a GPU can render for the engine on `platform` (QT_QPA_PLATFORM).
bool GpuRenders(const QByteArray &platform);
} // namespace PreviewEnvironment::detail
