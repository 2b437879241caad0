#include "system_reason.h"

#include <QDir>

#include <cerrno>
#include <cstring>

QString SystemReason(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("ディスクがいっぱいです");
    case EDQUOT:
        return QStringLiteral("ディスクの使用量の上限を超えています");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセス権がありません");
    case ENOENT:
        return QStringLiteral("ファイルまたはフォルダーが存在しません");
    case ENOTDIR:
        return QStringLiteral("途中のフォルダーが存在しません");
    case EISDIR:
        return QStringLiteral("フォルダーです");
    case EROFS:
        return QStringLiteral("読み取り専用のファイルシステムです");
    case ENAMETOOLONG:
        return QStringLiteral("名前が長すぎます");
    case EIO:
        return QStringLiteral("入出力エラーです");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます");
    case ETXTBSY:
        return QStringLiteral("実行中のプログラムです");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString CannotOpenMessage(const QString &path)
{
    return QStringLiteral("ファイル %1 は開けません").arg(QDir::toNativeSeparators(path));
}

QString CannotCreateMessage(const QString &path)
{
    return QStringLiteral("ファイル %1 を作成できません").arg(QDir::toNativeSeparators(path));
}

QString WithReason(const QString &message, int error)
{
    return message + QStringLiteral("\n\n") + SystemReason(error);
}
