// Writing qumoedit.ini at close, the program's only write of it.
//
// The main window's FormClose, after restoring the window to its normal state:
//     MainWindowSettings w;  // x, y, width, height of the normal window, panels,
//                            // msize (the editor's base font size), set names,
//                            // case choices and the clip palette's CheckBox4
//     if (!SaveSettingsAtClose(IniPath, w, DocumentPath, Form3->options()).done())
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
