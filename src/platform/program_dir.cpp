#include "program_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString WithSeparator(const QString &dir)
{
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

bool IsWritableDir(const QString &dir)
{
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}

// Folders of installed software: settings never go there, even for root.
bool IsSystemFolder(const QString &dir)
{
    static const QStringList prefixes{"/usr", "/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32",
                                      "/opt", "/etc", "/var", "/snap", "/nix", "/boot", "/proc", "/sys"};
    const QString clean = QDir::cleanPath(dir);
    if (clean == QStringLiteral("/"))
        return true;
    for (const QString &prefix : prefixes) {
        if (clean == prefix || clean.startsWith(prefix + u'/'))
            return true;
    }
    return false;
}

void SeedPaletteSets(const QDir &from, const QDir &to)
{
    const QStringList sets = from.entryList({QStringLiteral("*.qmh"), QStringLiteral("*.qmc")}, QDir::Files);
    for (const QString &name : sets) {
        if (!to.exists(name))
            QFile::copy(from.filePath(name), to.filePath(name));
    }
}

} // namespace

bool IsPortableFolder(const QString &dir)
{
    struct stat st;
    // Another user who can write there could plant settings whose second
    // browser the preview runs.
    return IsWritableDir(dir) && !IsSystemFolder(dir) &&
           ::stat(QFile::encodeName(dir).constData(), &st) == 0 && st.st_uid == ::geteuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString ResolveProgramDir(const QString &executableDir, const QString &fallbackDir)
{
    if (IsPortableFolder(executableDir))
        return WithSeparator(QDir::cleanPath(executableDir));
    if (!QDir().mkpath(fallbackDir) || !IsWritableDir(fallbackDir))
        return {};
    SeedPaletteSets(QDir(executableDir), QDir(fallbackDir));
    // An installed program ships its sets in the data folder.
    for (const QString &dataDir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        SeedPaletteSets(QDir(dataDir + QStringLiteral("/qumoedit")), QDir(fallbackDir));
    return WithSeparator(QDir::cleanPath(fallbackDir));
}

QString ProgramDirForThisProcess()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return ResolveProgramDir(QCoreApplication::applicationDirPath(), config + QStringLiteral("/qumoedit"));
}

QString ShippedFilePath(const QString &programDir, const QString &name)
{
    QStringList candidates{programDir + name, QCoreApplication::applicationDirPath() + u'/' + name};
    for (const QString &dataDir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        candidates << dataDir + QStringLiteral("/qumoedit/") + name;
    for (const QString &path : candidates) {
        if (QFileInfo::exists(path))
            return path;
    }
    return programDir + name;
}
