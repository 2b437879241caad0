// "文字数を数える": characters as the reader sees them (a letter with its
// combining marks, a surrogate pair, an emoji sequence: one each), lines and
// 原稿用紙 pages.
#pragma once

#include <QList>
#include <QStringView>
#include <optional>

namespace TextTools {

struct TextCounts
{
    qsizetype characters = 0;     // a line break counts one
    qsizetype visible = 0;        // without spaces (full-width ones too), TABs and line breaks
    qsizetype lines = 0;          // a last line break starts no line
    QList<qsizetype> lineLengths; // characters of each line, for ManuscriptPages
};

// Counts `text` ('\n' line breaks); nothing when ICU cannot find characters.
std::optional<TextCounts> CountText(QStringView text);

// Pages of `columns` × `rows` squares: each line starts a new row, a line of
// more than `columns` characters runs on to the next rows, an empty line
// takes a row.
qsizetype ManuscriptPages(const QList<qsizetype> &lineLengths, int columns, int rows);

} // namespace TextTools
