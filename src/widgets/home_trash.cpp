#include "home_trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <sys/stat.h>

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
