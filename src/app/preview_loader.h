// Loading the live preview's engine module (src/preview) on first use.
#pragma once

#include "outcome.h"

#include <QStringList>

class PreviewEngineFactory;

struct LoadedPreviewEngine
{
    Outcome outcome; // why there is none, in words
    PreviewEngineFactory *factory = nullptr;
};

// The module from the first of `folders` that has it, loaded until the
// process ends (the engine cannot be unloaded); the engine's own files are
// checked too, so that a missing one is told instead of ending the program.
LoadedPreviewEngine LoadPreviewEngine(const QStringList &folders);
