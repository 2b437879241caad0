#include "recovery_offer.h"

#include <QFileInfo>
#include <QLocale>

namespace {

QString Time(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString Name(const RecoveryCopy &copy)
{
    return copy.state.holdsFile() ? copy.state.path : QStringLiteral("新規文書");
}

QString Describe(const QFileInfo &file)
{
    return QStringLiteral("%1 バイト、%2")
        .arg(QLocale(QLocale::Japanese).toString(file.size()),
             file.lastModified().toString(u"yyyy/MM/dd HH:mm:ss"));
}

} // namespace

QString RecoveryQuestion(const RecoveryCopy &copy)
{
    return Name(copy) + QStringLiteral("の保存されていない変更（%1）を復元しますか？").arg(Time(copy.madeAt));
}

QString DiscardQuestion(const RecoveryCopy &copy)
{
    return Name(copy) +
           QStringLiteral("の保存されていない変更（%1）を破棄します。元には戻せません。よろしいですか？")
               .arg(Time(copy.madeAt));
}

QString SafetyCopyQuestion(const QString &path, const QString &copy)
{
    return path +
           QStringLiteral(
               "\nの保存が途中で中断されたようです。保存前の内容の安全コピーが残っています。\n\n") +
           QStringLiteral("今のファイル: ") + Describe(QFileInfo(path)) + QStringLiteral("\n安全コピー: ") +
           Describe(QFileInfo(copy)) + QStringLiteral("\n\n安全コピーの内容に戻しますか？");
}
