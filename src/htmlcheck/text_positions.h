// Lines and columns of a text with '\n' line breaks, as tidy counts them:
// 1-based, a column per character (a surrogate pair is one).
#pragma once

#include <QList>
#include <QStringView>

namespace HtmlCheck {

struct LineColumn
{
    qsizetype line;
    qsizetype column;
};

// Finds the line and column of many indices of one text.
class LineIndex
{
public:
    explicit LineIndex(QStringView text);
    LineColumn at(qsizetype index) const;

private:
    QStringView text_;
    QList<qsizetype> starts_; // index of each line's first code unit
};

// The index in `line` (no line break) of 1-based character `column`; the
// line's end for a column past it.
qsizetype IndexOfColumn(QStringView line, qsizetype column);

} // namespace HtmlCheck
