#include "leftover_saves.h"

#include "safe_file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

QString Target(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

bool Held(const QString &file)
{
    const int fd = ::open(Native(file).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

// The files of `folder` named `prefix` and six more characters.
QStringList Unheld(const QString &folder, const QString &prefix)
{
    QStringList found;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QString file = dir.filePath(name);
        if (!Held(file))
            found << file;
    }
    return found;
}

} // namespace

QStringList LeftoverSafetyCopies(const QString &path)
{
    const QFileInfo target(Target(path));
    QStringList copies =
        Unheld(target.absolutePath(), u'.' + target.fileName() + QStringLiteral(".qumoedit-safety-"));
    copies << Unheld(SafetyCopyCacheFolder(), CachedSafetyCopyPrefix(target.filePath()));
    return copies;
}

int RemoveLeftoverNewFiles(const QString &path)
{
    const QFileInfo target(Target(path));
    // Safety copies are made under these names too until they are whole.
    const QStringList files =
        Unheld(target.absolutePath(), u'.' + target.fileName() + QStringLiteral(".qumoedit-")) +
        Unheld(SafetyCopyCacheFolder(), u'.' + CachedSafetyCopyPrefix(target.filePath()));
    int removed = 0;
    for (const QString &file : files)
        removed += QFile::remove(file) ? 1 : 0;
    return removed;
}

int PutBackSafetyCopy(const QString &copy, const QString &path)
{
    errno = 0;
    if (!CopyFileInto(copy, Target(path), true))
        return errno != 0 ? errno : EIO;
    ::unlink(Native(copy).constData());
    return 0;
}
