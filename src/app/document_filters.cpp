#include "document_filters.h"

#include <QDir>
#include <QFileInfo>
#include <iterator>

#include "document_codec.h"

namespace {

struct Filter
{
    const char16_t *description;
    const char16_t *patterns; // separated by ';'
};

constexpr Filter Filters[] = {
    {u"読み込み可能ﾌｧｲﾙ(*.txt/*.html)", u"*.txt;*.html;*.htm;*.ini;*.cgi;*.pl;*.css;*.shtml"},
    {u"ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)", u"*.txt"},
    {u"HTML ﾌｧｲﾙ(*html)", u"*.htm;*.html"},
    {u"設定ファイル(*.ini)", u"*.ini"},
    {u"CGIファイル(*.cgi/*.pl)", u"*.cgi;*.pl"},
    {u"全てのﾌｧｲﾙ(*.*)", u"*"},
};

} // namespace

QStringList DocumentNameFilters()
{
    QStringList filters;
    for (const Filter &f : Filters) {
        const QString patterns = QString::fromUtf16(f.patterns).replace(u';', u' ');
        filters << QString::fromUtf16(f.description) + QStringLiteral(" (") + patterns + u')';
    }
    return filters;
}

int DocumentFilterIndex(const QString &nameFilter)
{
    // The dialogs show the descriptions alone and may give either form back.
    for (int i = 0; i < int(std::size(Filters)); ++i) {
        const QString description = QString::fromUtf16(Filters[i].description);
        if (nameFilter == description || nameFilter.startsWith(description + QStringLiteral(" (")))
            return i + 1;
    }
    return 0;
}

int SaveAsStartFilter(int openDialogIndex, const QString &oldExtension)
{
    int index = openDialogIndex;
    if (oldExtension.contains(QStringLiteral(".htm")))
        index = FilterHtml;
    if (oldExtension.contains(QStringLiteral(".txt")))
        index = FilterText;
    return index;
}

QString WithExtensionForFilter(const QString &chosen, int filterIndex, bool saveAsHtm,
                               const QString &oldExtension)
{
    if (!FileExtension(chosen).isEmpty())
        return chosen;
    switch (filterIndex) {
    case FilterHtml:
        return chosen + (saveAsHtm ? QStringLiteral(".htm") : QStringLiteral(".html"));
    case FilterText:
        return chosen + QStringLiteral(".txt");
    case FilterReadable:
        return chosen + oldExtension;
    default:
        return chosen;
    }
}

QString NewDocumentPath(const QString &documentPath, bool tagPaletteVisible)
{
    const QString name = tagPaletteVisible ? QStringLiteral("newhtml.html") : QStringLiteral("newtext.txt");
    // After "/setup" the document path is a folder: the new file goes in it.
    if (QFileInfo(documentPath).isDir())
        return QDir(documentPath).filePath(name);
    return documentPath.left(documentPath.lastIndexOf(u'/') + 1) + name;
}
