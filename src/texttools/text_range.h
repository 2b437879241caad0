// A run of the editor's text in character positions: QString indices of the
// text as stored, or QTextCursor positions (DisplayBlocks maps between them).
#pragma once

#include <QList>
#include <QtGlobal>

namespace TextTools {

struct TextRange
{
    qsizetype start = 0;
    qsizetype length = 0;

    qsizetype end() const { return start + length; }
    friend bool operator==(const TextRange &, const TextRange &) = default;
};

using TextRanges = QList<TextRange>;

} // namespace TextTools
