// What Qt WebEngine needs before the application object exists, since the
// live preview loads it only later: set by the entry point, costing nothing.
#pragma once

#include <QByteArray>

// Shared OpenGL contexts; as root, Chromium's sandbox off (it refuses to run
// as root), unless the environment says otherwise; where no GPU renders
// (offscreen, or no render node to open), software rendering.
void PrepareForPreviewEngine();

namespace detail {
// Whether a GPU can render for the engine on `platform` (QT_QPA_PLATFORM).
bool GpuRenders(const QByteArray &platform);
} // namespace detail
