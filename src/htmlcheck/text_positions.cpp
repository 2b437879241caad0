#include "text_positions.h"

#include <algorithm>

namespace HtmlCheck {

LineIndex::LineIndex(QStringView text) : text_(text)
{
    starts_.append(0);
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\n')
            starts_.append(i + 1);
}

LineColumn LineIndex::at(qsizetype index) const
{
    const auto next = std::upper_bound(starts_.cbegin(), starts_.cend(), index);
    const qsizetype line = next - starts_.cbegin();
    const qsizetype start = starts_[line - 1];
    qsizetype column = 1;
    for (qsizetype i = start; i < index && i < text_.size(); ++i)
        if (!(text_[i].isLowSurrogate() && i > start && text_[i - 1].isHighSurrogate()))
            ++column;
    return {line, column};
}

qsizetype IndexOfColumn(QStringView line, qsizetype column)
{
    qsizetype i = 0;
    for (qsizetype c = 1; c < column && i < line.size(); ++c)
        i += (line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate()) ? 2 : 1;
    return i;
}

} // namespace HtmlCheck
