#include "recovery_places.h"

#include "system_reason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QString Under(const char *variable, const QString &fallback)
{
    QString base = qEnvironmentVariable(variable);
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = fallback;
    return base.isEmpty() ? QString() : base + QStringLiteral("/qumoedit/recovery");
}

// Why `folder` may not hold copies; empty when it may.
QString Refusal(const QByteArray &folder)
{
    struct stat st;
    if (::lstat(folder.constData(), &st) != 0)
        return SystemReason(errno);
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("シンボリックリンクです");
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("フォルダーではありません");
    if (st.st_uid != ::geteuid())
        return QStringLiteral("ほかのユーザーのフォルダーです");
    return {};
}

} // namespace

QStringList RecoveryPlaces()
{
    QStringList places{Under("XDG_STATE_HOME", QDir::homePath() + QStringLiteral("/.local/state")),
                       Under("XDG_CACHE_HOME", QDir::homePath() + QStringLiteral("/.cache"))};
    const QString runtime = Under("XDG_RUNTIME_DIR", {});
    if (!runtime.isEmpty())
        places << runtime;
    return places;
}

Outcome PrepareRecoveryFolder(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    QDir().mkpath(QFileInfo(folder).absolutePath());
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return Outcome::failed(SystemReason(errno));
    if (const QString refused = Refusal(name); !refused.isEmpty())
        return Outcome::failed(refused);
    // Copies are the user's alone.
    if (::chmod(name.constData(), 0700) != 0 || ::access(name.constData(), W_OK | X_OK) != 0)
        return Outcome::failed(SystemReason(errno));
    struct statvfs fs;
    if (::statvfs(name.constData(), &fs) == 0 && fs.f_bavail == 0)
        return Outcome::failed(SystemReason(ENOSPC));
    return {};
}

bool IsOwnRecoveryFolder(const QString &folder)
{
    return Refusal(QFile::encodeName(folder)).isEmpty();
}
