// Writing qumoedit.ini at close, the program's only write of it.
//
// The main window's writeSettings(), at close: a MainWindowSettings holding
// the normal window's place and size (and whether it was maximized), which
// panels show and the base font size, to which the palettes and the preview
// add their own through their writeSettings(); then
//     if (!SaveSettingsAtClose(IniPath, w, document_.path(), options_.options()).done())
//         ShowSettingsWriteFailure(this);
#pragma once

#include "outcome.h"
#include "settings_values.h"

class ProfileFile;
class QWidget;

// The folder part of a document path, without the last separator, except that
// the root keeps it ("/a.txt" gives "/").
QString DocumentFolder(const QString &documentPath);

// A page opened from the browser's cache (the program as its source viewer).
bool IsBrowserCachePath(const QString &documentPath);

// Sets every key, in the order of the close sequence, in memory. The panel
// flags and PathName (the folder of documentPath) are left as they were for a
// browser-cache document; window.pathName is not used.
void WriteSettings(ProfileFile &ini, const MainWindowSettings &window, const QString &documentPath,
                   const DialogOptions &options);

// Reads the existing file (its unknown keys are kept), writes every key and
// replaces the file in one step. When it cannot be written, the file on disk
// is exactly as it was.
Outcome SaveSettingsAtClose(const QString &iniPath, const MainWindowSettings &window,
                            const QString &documentPath, const DialogOptions &options);

// The permission message shown when SaveSettingsAtClose fails.
void ShowSettingsWriteFailure(QWidget *parent);
