#include "folder_places.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

QString Location(QStandardPaths::StandardLocation where)
{
    return QStandardPaths::writableLocation(where);
}

// XDG_TEMPLATES_DIR from user-dirs.dirs; Qt has no location for it.
QString TemplatesFolder()
{
    QFile dirs(Location(QStandardPaths::GenericConfigLocation) + QLatin1String("/user-dirs.dirs"));
    if (dirs.open(QIODevice::ReadOnly | QIODevice::Text)) {
        static const QRegularExpression line(QStringLiteral("^XDG_TEMPLATES_DIR=\"(.*)\"\\s*$"),
                                             QRegularExpression::MultilineOption);
        const auto match = line.match(QString::fromUtf8(dirs.readAll()));
        if (match.hasMatch())
            return match.captured(1).replace(QLatin1String("$HOME"), QDir::homePath());
    }
    return QDir::homePath() + QLatin1String("/Templates");
}

QString Folder(TRootFolder root)
{
    switch (root) {
    case rfDesktop:
        return Location(QStandardPaths::DesktopLocation);
    case rfPrograms:
    case rfStartMenu:
        return Location(QStandardPaths::ApplicationsLocation);
    case rfStartup:
        return Location(QStandardPaths::GenericConfigLocation) + QLatin1String("/autostart");
    case rfAppdata:
    case rf_Controls:
        return Location(QStandardPaths::GenericConfigLocation);
    case rfTemplates:
        return TemplatesFolder();
    case rf_Bitbucket:
        return Location(QStandardPaths::GenericDataLocation) + QLatin1String("/Trash/files");
    default:
        return QDir::homePath();
    }
}

// Mounts of the system itself, not places a user keeps documents.
bool IsSystemMount(const QString &root)
{
    static const QStringList system = {
        QStringLiteral("/proc"), QStringLiteral("/sys"),  QStringLiteral("/dev"), QStringLiteral("/run"),
        QStringLiteral("/boot"), QStringLiteral("/snap"), QStringLiteral("/var"), QStringLiteral("/tmp")};
    if (root.startsWith(QLatin1String("/run/media/")))
        return false;
    for (const QString &prefix : system)
        if (root == prefix || root.startsWith(prefix + QLatin1Char('/')))
            return true;
    return false;
}

} // namespace

namespace FolderPlaces {

QString RootPath(TRootFolder root, const QString &manualName)
{
    if (root == rfDrives || root == rfManual) {
        if (root == rfManual && !manualName.isEmpty() && QFileInfo(manualName).isDir())
            return QDir(manualName).absolutePath();
        return QDir::rootPath();
    }
    const QString folder = Folder(root);
    return QFileInfo(folder).isDir() ? QDir(folder).absolutePath() : QDir::homePath();
}

QStringList Drives()
{
    QStringList volumes;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // Containers bind single files (/etc/hosts); only folders are drives.
        if (volume.isValid() && volume.isReady() && root != QDir::rootPath() && !IsSystemMount(root) &&
            QFileInfo(root).isDir() && !volumes.contains(root))
            volumes.append(root);
    }
    volumes.sort();
    volumes.prepend(QDir::rootPath());
    return volumes;
}

QString SelectedDrive(TSelectedDir which)
{
    if (which == sdSystem)
        return QDir::rootPath();
    if (which != sdCurrent)
        return QString();
    const QString root = QStorageInfo(QDir::currentPath()).rootPath();
    return Drives().contains(root) ? root : QDir::rootPath();
}

bool IsVirtual(TRootFolder root)
{
    return root == rf_Controls || root == rf_Bitbucket || root == rf_Printers;
}

} // namespace FolderPlaces
