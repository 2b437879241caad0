#include "display_blocks.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace DisplayBlocks {

namespace {

constexpr int SoftBreakProperty = QTextFormat::UserProperty + 0x51;

// Whether any block may carry the flag: formats are only ever added to a
// document's collection, so a document that never held a long line answers
// at once.
bool MayHoldSoftBreaks(const QTextDocument &document)
{
    const QList<QTextFormat> formats = document.allFormats();
    return std::any_of(formats.begin(), formats.end(), [](const QTextFormat &format) {
        return format.isBlockFormat() && format.boolProperty(SoftBreakProperty);
    });
}

QTextBlockFormat Flagged(QTextBlockFormat format, bool soft)
{
    if (soft)
        format.setProperty(SoftBreakProperty, true);
    else
        format.clearProperty(SoftBreakProperty);
    return format;
}

int LengthOf(const QTextBlock &block)
{
    return block.length() - 1;
}

// A split point near `offset` in `text` that parts no surrogate pair.
int SplitPoint(QStringView text, int offset)
{
    return text[offset - 1].isHighSurrogate() ? offset - 1 : offset;
}

// The display blocks of one line, their characters, and whether they should
// be split or joined.
struct Line
{
    QTextBlock first;
    QTextBlock next; // after the line
    int blocks = 0;
    qsizetype chars = 0;
    bool oversized = false;
};

Line LineAt(const QTextBlock &block)
{
    Line line{LineStart(block), {}, 0, 0, false};
    QTextBlock b = line.first;
    do {
        ++line.blocks;
        line.chars += LengthOf(b);
        line.oversized = line.oversized || LengthOf(b) > MaxBlockChars;
        b = b.next();
    } while (b.isValid() && ContinuesLine(b));
    line.next = b;
    return line;
}

bool Unbalanced(const Line &line)
{
    return line.oversized || (line.blocks > 1 && line.chars <= MaxBlockChars);
}

// Joins the line's blocks into one; returns the soft breaks removed.
int JoinLine(QTextDocument &document, const Line &line)
{
    QTextCursor cursor(&document);
    int removed = 0;
    for (QTextBlock block = line.first.next(); block != line.next;) {
        const QTextBlock after = block.next();
        // A join keeps the later block's state: keep the line's mark.
        if (block.userState() == -1)
            block.setUserState(block.previous().userState());
        cursor.setPosition(block.position() - 1);
        cursor.deleteChar();
        ++removed;
        block = after;
    }
    return removed;
}

// Splits the line's blocks longer than MaxBlockChars; returns the soft
// breaks added.
int SplitLine(QTextDocument &document, const Line &line)
{
    QTextCursor cursor(&document);
    int added = 0;
    for (QTextBlock block = line.first; block.isValid() && block != line.next; block = block.next()) {
        while (LengthOf(block) > MaxBlockChars) {
            const int at = SplitPoint(block.text(), PieceChars);
            cursor.setPosition(block.position() + at);
            cursor.insertBlock(Flagged(block.blockFormat(), true));
            ++added;
            block = cursor.block();
        }
    }
    return added;
}

} // namespace

bool ContinuesLine(const QTextBlock &block)
{
    return block.isValid() && block.blockFormat().boolProperty(SoftBreakProperty);
}

QTextBlock LineStart(QTextBlock block)
{
    while (ContinuesLine(block))
        block = block.previous();
    return block;
}

QTextBlock NextLine(const QTextBlock &block)
{
    QTextBlock next = block.next();
    while (ContinuesLine(next))
        next = next.next();
    return next;
}

QString LineText(const QTextBlock &block)
{
    QString text;
    const QTextBlock next = NextLine(block);
    for (QTextBlock b = LineStart(block); b.isValid() && b != next; b = b.next())
        text += b.text();
    return text;
}

int LineState(const QTextBlock &lineStart)
{
    int state = lineStart.userState();
    for (QTextBlock b = lineStart.next(); ContinuesLine(b); b = b.next()) {
        if (b.userState() != -1)
            state = b.userState();
    }
    return state;
}

SoftBreaks::SoftBreaks(const QTextDocument &document)
{
    if (!MayHoldSoftBreaks(document))
        return;
    for (QTextBlock block = document.begin().next(); block.isValid(); block = block.next()) {
        if (ContinuesLine(block))
            breaks_.append(block.position() - 1);
    }
}

qsizetype SoftBreaks::stored(qsizetype display) const
{
    return display - (std::lower_bound(breaks_.begin(), breaks_.end(), display) - breaks_.begin());
}

qsizetype SoftBreaks::display(qsizetype stored) const
{
    // Break k stands at stored position breaks_[k] - k; those before `stored` count.
    qsizetype low = 0;
    qsizetype high = breaks_.size();
    while (low < high) {
        const qsizetype mid = (low + high) / 2;
        if (breaks_[mid] - mid < stored)
            low = mid + 1;
        else
            high = mid;
    }
    return stored + low;
}

TextTools::TextRange SoftBreaks::range(TextTools::TextRange stored) const
{
    if (stored.length == 0)
        return {display(stored.start), 0};
    const qsizetype start = displayStart(stored.start);
    return {start, display(stored.end()) - start};
}

qsizetype SoftBreaks::countIn(qsizetype from, qsizetype to) const
{
    return std::lower_bound(breaks_.begin(), breaks_.end(), to) -
           std::lower_bound(breaks_.begin(), breaks_.end(), from);
}

QString SoftBreaks::strip(QString raw, qsizetype from) const
{
    auto it = std::lower_bound(breaks_.begin(), breaks_.end(), from);
    const auto end = std::lower_bound(it, breaks_.end(), from + raw.size());
    if (it == end)
        return raw;
    QString out;
    out.reserve(raw.size());
    qsizetype kept = 0;
    for (; it != end; ++it) {
        out.append(QStringView(raw).sliced(kept, *it - from - kept));
        kept = *it - from + 1;
    }
    out.append(QStringView(raw).sliced(kept));
    return out;
}

QString RawText(const QTextDocument &document)
{
    return SoftBreaks(document).strip(document.toRawText(), 0);
}

int LineCount(const QTextDocument &document)
{
    return document.blockCount() - int(SoftBreaks(document).count());
}

int LineNumber(const QTextBlock &block)
{
    return block.blockNumber() - int(SoftBreaks(*block.document()).countIn(0, block.position()));
}

QTextBlock LineBlock(const QTextDocument &document, int line)
{
    if (!MayHoldSoftBreaks(document))
        return document.findBlockByNumber(line);
    QTextBlock block = document.begin();
    for (int n = 0; n < line && block.isValid(); ++n)
        block = NextLine(block);
    return block;
}

QString LineTextBefore(const QTextDocument &document, int position)
{
    const QTextBlock block = document.findBlock(position);
    QString text;
    for (QTextBlock b = LineStart(block); b.isValid() && b != block; b = b.next())
        text += b.text();
    return text.append(QStringView(block.text()).left(position - block.position()));
}

qsizetype LineMeasure::before(const QTextDocument &document, int position)
{
    const QTextBlock block = document.findBlock(position);
    qsizetype value = measure_(QStringView(block.text()).left(position - block.position()));
    if (!ContinuesLine(block))
        return value;
    // Blocks of lines no longer measured are forgotten now and then.
    if (known_.size() > 4 * document.blockCount() + 1024)
        known_.clear();
    for (QTextBlock b = block.previous(); b.isValid(); b = b.previous()) {
        auto it = known_.find(b.position());
        if (it == known_.end() || it->revision != b.revision() || it->length != b.length())
            it = known_.insert(b.position(), {b.revision(), b.length(), measure_(b.text())});
        value += it->value;
        if (!ContinuesLine(b))
            break;
    }
    return value;
}

void InsertHeld(QTextCursor &cursor, QStringView text)
{
    const auto isBreak = [](QChar c) { return c == u'\n' || c == QChar::ParagraphSeparator; };
    // One report of the change: Qt lays out a block changed alone at once,
    // the blocks of a larger change only when they are shown.
    cursor.beginEditBlock();
    qsizetype run = 0; // start of the text not inserted yet
    qsizetype lineStart = 0;
    while (lineStart < text.size()) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < text.size() && !isBreak(text[lineEnd]))
            ++lineEnd;
        if (lineEnd - lineStart > MaxBlockChars) {
            cursor.insertText(text.sliced(run, lineStart - run).toString());
            for (qsizetype from = lineStart; from < lineEnd;) {
                qsizetype to = lineEnd - from > MaxBlockChars
                                   ? from + SplitPoint(text.sliced(from), PieceChars)
                                   : lineEnd;
                if (from > lineStart)
                    cursor.insertBlock(Flagged(cursor.blockFormat(), true));
                cursor.insertText(text.sliced(from, to - from).toString());
                from = to;
            }
            // The line's own break is hard whatever the block before it.
            if (lineEnd < text.size())
                cursor.insertBlock(Flagged(cursor.blockFormat(), false));
            run = lineEnd + 1;
        }
        lineStart = lineEnd + 1;
    }
    if (run < text.size())
        cursor.insertText(text.sliced(run).toString());
    cursor.endEditBlock();
}

void ClearCopiedFlags(QTextDocument &document, int from, int to)
{
    QTextCursor cursor(&document);
    for (QTextBlock block = document.findBlock(from).next(); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (ContinuesLine(block)) {
            cursor.setPosition(block.position());
            cursor.setBlockFormat(Flagged(block.blockFormat(), false));
        }
    }
}

void InsertText(QTextCursor &cursor, const QString &text)
{
    QTextDocument &document = *cursor.document();
    cursor.beginEditBlock();
    const int from = cursor.selectionStart();
    cursor.insertText(text);
    const int to = cursor.position();
    ClearCopiedFlags(document, from, to);
    Rebalance(document, from, to);
    cursor.endEditBlock();
}

bool NeedsRebalance(const QTextDocument &document, int from, int to)
{
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to;) {
        const Line line = LineAt(block);
        if (Unbalanced(line))
            return true;
        block = line.next;
    }
    return false;
}

bool Rebalance(QTextDocument &document, int from, int to)
{
    bool changed = false;
    QTextCursor edit(&document);
    edit.beginEditBlock();
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to;) {
        const Line line = LineAt(block);
        if (!Unbalanced(line)) {
            block = line.next;
            continue;
        }
        const int start = line.first.position();
        const int change = line.oversized && line.chars > MaxBlockChars ? SplitLine(document, line)
                                                                        : -JoinLine(document, line);
        changed = true;
        to += change;
        block = NextLine(document.findBlock(start));
    }
    edit.endEditBlock();
    return changed;
}

} // namespace DisplayBlocks
