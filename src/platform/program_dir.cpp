#include "program_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

void SeedPaletteSets(const QDir &from, const QDir &to)
{
    const QStringList sets = from.entryList({QStringLiteral("*.qmh"), QStringLiteral("*.qmc")}, QDir::Files);
    for (const QString &name : sets) {
        if (!to.exists(name))
            QFile::copy(from.filePath(name), to.filePath(name));
    }
}

} // namespace

QString ResolveProgramDir(const QString &executableDir, const QString &fallbackDir)
{
    if (IsWritableDir(executableDir))
        return WithSeparator(QDir::cleanPath(executableDir));
    if (!QDir().mkpath(fallbackDir) || !IsWritableDir(fallbackDir))
        return {};
    SeedPaletteSets(QDir(executableDir), QDir(fallbackDir));
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
