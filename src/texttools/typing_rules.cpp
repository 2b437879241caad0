#include "typing_rules.h"

namespace TextTools {

std::optional<QString> AutoIndentText(QStringView line, qsizetype column)
{
    qsizetype n = 0;
    while (n < line.size() && n < column && (line[n] == u'\t' || line[n] == u' '))
        ++n;
    if (n == 0)
        return std::nullopt;
    return u'\n' + line.first(n).toString();
}

TextRange LineDeletionRange(QStringView text, qsizetype caret)
{
    caret = qBound<qsizetype>(0, caret, text.size());
    const qsizetype start = caret == 0 ? 0 : text.first(caret).lastIndexOf(u'\n') + 1;
    const qsizetype breakAt = text.indexOf(u'\n', caret);
    if (breakAt >= 0)
        return {start, breakAt + 1 - start};
    const qsizetype from = start > 0 ? start - 1 : 0;
    return {from, text.size() - from};
}

int NextTextSize(int size)
{
    switch (size) {
    case 9:
        return 12;
    case 12:
        return 15;
    default:
        return 9;
    }
}

} // namespace TextTools
