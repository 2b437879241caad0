#include "home_trash.h"

#include "fd_write.h"
#include "system_reason.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Like mkpath, but every folder it makes is private: Qt's own trash code
// makes only the last one, and fails on an account without ~/.local/share.
bool MakePrivatePath(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    qsizetype at = clean.startsWith(u'/') ? 1 : 0;
    while (at <= clean.size()) {
        qsizetype next = clean.indexOf(u'/', at);
        if (next < 0)
            next = clean.size();
        const QByteArray prefix = QFile::encodeName(clean.left(next));
        if (::mkdir(prefix.constData(), 0700) != 0 && errno != EEXIST)
            return false;
        at = next + 1;
    }
    return QFileInfo(clean).isDir();
}

} // namespace

QString HomeTrashPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
}

bool EnsureHomeTrash()
{
    const QString trash = HomeTrashPath();
    return MakePrivatePath(trash + QStringLiteral("/files")) &&
           MakePrivatePath(trash + QStringLiteral("/info"));
}

namespace {

// Creates `path` for writing, failing when it exists; -1 with errno set.
int CreateNew(const QString &path, mode_t mode)
{
    return ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
}

bool WriteAndSync(int fd, const QByteArray &bytes)
{
    const bool ok = WriteAllBytes(fd, bytes.constData(), bytes.size()) && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return ok;
}

} // namespace

TrashCopy CopyToHomeTrash(const QString &path, const QByteArray &bytes)
{
    const auto failed = [&path](int error) {
        return TrashCopy{
            Outcome::failed(WithReason(QStringLiteral("「%1」の写しをごみ箱に置けません").arg(path), error)),
            {}};
    };
    if (!EnsureHomeTrash())
        return failed(errno);
    const QString trash = HomeTrashPath();
    const QFileInfo file(path);
    struct stat st;
    const mode_t mode = ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 0777) : 0600;
    // The info file is made first: its name is the claim on the name in "files".
    const QByteArray info =
        "[Trash Info]\nPath=" + QUrl::toPercentEncoding(file.absoluteFilePath(), "/") + "\nDeletionDate=" +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toUtf8() + '\n';
    for (int n = 1; n < 10000; ++n) {
        const QString name = n == 1 ? file.fileName()
                                    : QStringLiteral("%1 (%2)%3")
                                          .arg(file.completeBaseName())
                                          .arg(n)
                                          .arg(file.suffix().isEmpty() ? QString() : u'.' + file.suffix());
        const QString infoPath = trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo");
        const int infoFd = CreateNew(infoPath, 0600);
        if (infoFd < 0 && errno == EEXIST)
            continue;
        if (infoFd < 0 || !WriteAndSync(infoFd, info)) {
            const int error = errno;
            QFile::remove(infoPath);
            return failed(error);
        }
        const QString copyPath = trash + QStringLiteral("/files/") + name;
        const int copyFd = CreateNew(copyPath, mode | S_IRUSR | S_IWUSR);
        if (copyFd >= 0 && WriteAndSync(copyFd, bytes))
            return {{}, name};
        const int error = errno;
        if (copyFd >= 0)
            QFile::remove(copyPath);
        QFile::remove(infoPath);
        if (error != EEXIST) // else a copy without its info: try the next name
            return failed(error);
    }
    return failed(EEXIST);
}

void RemoveFromHomeTrash(const QString &name)
{
    const QString trash = HomeTrashPath();
    QFile::remove(trash + QStringLiteral("/files/") + name);
    QFile::remove(trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
}
