// The folder tree's root choices and its drive selection after filling.
#pragma once

#include <QObject>

namespace FolderTree {
Q_NAMESPACE

enum TRootFolder {
    rfManual,
    rfDrives,
    rfDesktop,
    rfFavorites,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfAppdata,
    rfTemplates,
    rf_Controls,
    rf_Bitbucket,
    rf_Printers
};
Q_ENUM_NS(TRootFolder)

enum TSelectedDir { sdNone, sdSystem, sdCurrent };
Q_ENUM_NS(TSelectedDir)

} // namespace FolderTree

using FolderTree::TRootFolder;
using FolderTree::TSelectedDir;
using enum FolderTree::TRootFolder;
using enum FolderTree::TSelectedDir;
