#include "recovery_offer.h"

#include "recovery_leftovers.h"

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

QString RecoveryListLine(const RecoveryCopy &copy)
{
    return Name(copy) + QStringLiteral("（%1）").arg(Time(copy.madeAt));
}

QString DiscardCopiesQuestion(int count)
{
    return QStringLiteral(
               "選んだ %1 件の保存されていない変更を破棄します。元には戻せません。よろしいですか？")
        .arg(count);
}

QString PlaceRefusal(const QString &folder, const QString &reason)
{
    return folder + QStringLiteral("（") + reason + QStringLiteral("）");
}

QString RecoveryPlaceWarning(const QStringList &refusals, const QString &keptIn)
{
    const QString places = refusals.join(u'\n');
    if (!keptIn.isEmpty())
        return QStringLiteral("保存されていない変更の復元用コピーを次の場所に書き込めません。\n\n") + places +
               QStringLiteral("\n\n復元用コピーは代わりに %1 に書き込みます。").arg(keptIn);
    return QStringLiteral("保存されていない変更の復元用コピーを書き込めません。\n\n") + places +
           QStringLiteral(
               "\n\n復元用コピーは残りません。強制終了や異常終了のときは、保存されていない変更が失われます。"
               "終了を求められたとき（TERM、HUP）は、保存するかどうかを先に尋ねます。");
}

QString UnreadableCopiesMessage(const std::vector<UnreadableCopy> &copies)
{
    QString message = QStringLiteral("次の復元用コピーは読めないため、復元できません。\n");
    for (const UnreadableCopy &copy : copies)
        message += u'\n' + copy.file + QStringLiteral(": ") + copy.reason;
    return message + QStringLiteral("\n\n削除しますか？");
}

QString SafetyCopyQuestion(const QString &path, const QString &copy)
{
    return path +
           QStringLiteral(
               "\nの保存が途中で中断されたようです。保存前の内容の安全コピーが残っています。\n\n") +
           QStringLiteral("今のファイル: ") + Describe(QFileInfo(path)) + QStringLiteral("\n安全コピー: ") +
           Describe(QFileInfo(copy)) + QStringLiteral("\n\n安全コピーの内容に戻しますか？");
}
