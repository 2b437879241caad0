// Reading qumoedit.ini. A missing file, a missing key or a value that is not
// a number (or is out of the range the program can use) gives the default.
//
// Start-up of the main window:
//     const MainWindowSettings s = ReadMainWindowSettings(IniPath, screen->size());
//     resize(s.width, s.height); move(s.x, s.y); ... document_.setPath(s.pathName); ...
// The dialog's part is read by TForm3::LoadSettingsIntoDialog().
#pragma once

#include "settings_values.h"

class ProfileFile;

MainWindowSettings ReadMainWindowSettings(const ProfileFile &ini, QSize screenSize);
MainWindowSettings ReadMainWindowSettings(const QString &iniPath, QSize screenSize);

// DateTime defaults to what the dialog's format field holds at the time.
DialogOptions ReadDialogOptions(const ProfileFile &ini, const QString &dateTimeDefault);
