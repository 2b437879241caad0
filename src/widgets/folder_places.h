// Where the folder tree's roots live on an XDG desktop. The stored root
// choices keep their names; each maps to its nearest place here:
//
// | TRootFolder    | folder                                                        |
// |----------------|---------------------------------------------------------------|
// | rfManual       | RootFolderName when it names a folder, else as rfDrives       |
// | rfDrives       | "/" plus every mounted volume, each a top-level node          |
// | rfDesktop      | the desktop folder (XDG_DESKTOP_DIR)                          |
// | rfFavorites    | home (no folder of favourites exists)                         |
// | rfPrograms     | the applications menu (~/.local/share/applications)          |
// | rfRecent       | home (recent files are a list, not a folder)                  |
// | rfSendTo       | home                                                          |
// | rfStartMenu    | the applications menu (~/.local/share/applications)          |
// | rfStartup      | the autostart folder (~/.config/autostart)                    |
// | rfAppdata      | the configuration folder (XDG_CONFIG_HOME)                    |
// | rfTemplates    | the templates folder (XDG_TEMPLATES_DIR)                      |
// | rf_Controls    | the configuration folder (virtual root)                       |
// | rf_Bitbucket   | the trash's files folder (virtual root)                       |
// | rf_Printers    | home (virtual root)                                           |
//
// A mapped folder that does not exist falls back to home.
//
// | TSelectedDir | selected with rfDrives                                          |
// |--------------|-----------------------------------------------------------------|
// | sdNone       | nothing                                                         |
// | sdSystem     | "/", the volume of the system                                   |
// | sdCurrent    | the volume that holds the current directory                     |
#pragma once

#include "folder_tree_types.h"

#include <QString>
#include <QStringList>

namespace FolderPlaces {

// The folder a root choice stands for (rfDrives and an unusable rfManual give "/").
QString RootPath(TRootFolder root, const QString &manualName);
// "/" followed by the mounted volumes a user browses (no system mounts), sorted.
QStringList Drives();
// The volume root that SelectedDir asks for; empty for sdNone.
QString SelectedDrive(TSelectedDir which);
// Whether the root choice names no folder of the file system (forces ShowRootFolder, lists everything).
bool IsVirtual(TRootFolder root);

} // namespace FolderPlaces
