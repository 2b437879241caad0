#include "kept_lines.h"

#include "cp932.h"
#include "display_blocks.h"

#include <QTextBlock>
#include <QTextDocument>

void KeptLines::Remember(QStringView text, const QByteArray &bytes)
{
    clear();
    const char *const data = bytes.constData();
    qsizetype from = 0;
    qsizetype textFrom = 0;
    while (textFrom <= text.size()) {
        qsizetype textTo = text.indexOf(u'\n', textFrom);
        if (textTo < 0)
            textTo = text.size();
        qsizetype to = from;
        while (to < bytes.size() && data[to] != '\r' && data[to] != '\n')
            ++to;
        const QStringView line = text.sliced(textFrom, textTo - textFrom);
        // The first of two lines with the same text but different bytes wins.
        if (Cp932::Encode(line) != QByteArrayView(data + from, to - from) &&
            !lines_.contains(line.toString())) {
            lines_.insert(line.toString(), {from, to});
            lengths_.insert(line.size());
        }
        from = to;
        if (from < bytes.size())
            from += (data[from] == '\r' && from + 1 < bytes.size() && data[from + 1] == '\n') ? 2 : 1;
        textFrom = textTo + 1;
    }
    if (!lines_.isEmpty())
        bytes_ = bytes;
}

void KeptLines::clear()
{
    bytes_.clear();
    lines_.clear();
    lengths_.clear();
}

KeptBytes KeptLines::Collect(const QTextDocument &document) const
{
    KeptBytes kept{bytes_, {}};
    if (lines_.isEmpty())
        return kept;
    // Positions in the text as stored: a long line's soft breaks count none.
    qsizetype softBreaks = 0;
    for (QTextBlock block = document.begin(); block.isValid();) {
        const QTextBlock next = DisplayBlocks::NextLine(block);
        const qsizetype displayEnd = next.isValid() ? next.position() - 1 : document.characterCount() - 1;
        const qsizetype blocks = next.isValid() ? next.blockNumber() - block.blockNumber()
                                                : document.blockCount() - block.blockNumber();
        const qsizetype start = block.position() - softBreaks;
        const qsizetype length = displayEnd - block.position() - (blocks - 1);
        if (lengths_.contains(length)) {
            const auto line = lines_.constFind(blocks == 1 ? block.text() : DisplayBlocks::LineText(block));
            if (line != lines_.constEnd())
                kept.ranges.push_back({start, start + length, line->first, line->second});
        }
        softBreaks += blocks - 1;
        block = next;
    }
    return kept;
}
