#include "folder_search_text.h"

#include <QDir>
#include <QLocale>
#include <map>

QString Counted(qsizetype n)
{
    static const QLocale grouped(QLocale::Japanese, QLocale::Japan);
    return grouped.toString(qlonglong(n));
}

QString FilesProgress(qsizetype done, qsizetype total, bool totalKnown)
{
    return QStringLiteral("%1 / %2%3 ファイル")
        .arg(Counted(done), Counted(total), totalKnown ? QString() : QStringLiteral("+"));
}

QString SkippedText(const QList<FolderSearch::Skipped> &skipped, const QString &folder)
{
    std::map<FolderSearch::SkipReason, QStringList> byReason;
    const QDir base(folder);
    for (const FolderSearch::Skipped &s : skipped) {
        const QString path = base.relativeFilePath(s.path);
        byReason[s.reason].append(s.detail.isEmpty() ? path : QStringLiteral("%1 (%2)").arg(path, s.detail));
    }
    QStringList lines;
    for (const auto &[reason, paths] : byReason) {
        lines.append(
            QStringLiteral("%1: %2 件").arg(FolderSearch::ReasonName(reason), Counted(paths.size())));
        for (const QString &path : paths)
            lines.append(QStringLiteral("    ") + path);
    }
    return lines.join(u'\n');
}
