#include "template_text.h"

namespace Palettes {

QString ReplaceAll(QString subject, const QString &pattern, const QString &replacement)
{
    if (pattern.isEmpty())
        return subject;
    return subject.replace(pattern, replacement, Qt::CaseSensitive);
}

QString ColorToHtml(quint32 colour, bool lowerHex)
{
    const quint32 rgb = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
    const QString digits = QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
    return u'#' + (lowerHex ? digits.toLower() : digits);
}

QString MakeRelativePath(const QString &baseFolder, const QString &target)
{
    if (baseFolder.isEmpty() || target.isEmpty())
        return {};
    if (baseFolder[0] != target[0])
        return target;
    qsizetype common = 0;
    while (common < baseFolder.size() && common < target.size() && baseFolder[common] == target[common])
        ++common;
    const qsizetype cut = QStringView(baseFolder).first(common).lastIndexOf(u'/') + 1;
    const qsizetype up = QStringView(baseFolder).sliced(cut).count(u'/');
    return QStringLiteral("../").repeated(up) + target.sliced(cut);
}

} // namespace Palettes
