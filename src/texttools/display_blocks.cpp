#include "display_blocks.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <utility>

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

// The display positions of the soft breaks, ascending, by a walk over the blocks.
QList<qsizetype> ScanSoftBreaks(const QTextDocument &document)
{
    QList<qsizetype> breaks;
    for (QTextBlock block = document.begin().next(); block.isValid(); block = block.next()) {
        if (ContinuesLine(block))
            breaks.append(block.position() - 1);
    }
    return breaks;
}

QTextBlockFormat Flagged(QTextBlockFormat format, bool soft)
{
    if (soft)
        format.setProperty(SoftBreakProperty, true);
    else
        format.clearProperty(SoftBreakProperty);
    return format;
}

// Sets the kind of the break before `block`, telling the document's keeper.
void SetSoft(QTextDocument &document, const QTextBlock &block, bool soft)
{
    if (BreakKeeper *keeper = BreakKeeper::of(document))
        keeper->intend(block.position() - 1, soft);
    QTextCursor cursor(&document);
    cursor.setPosition(block.position());
    cursor.setBlockFormat(Flagged(block.blockFormat(), soft));
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
            block.setUserState(block.previous().userState());
        }
    }
    return added;
}

} // namespace

bool ContinuesLine(const QTextBlock &block)
{
    return block.isValid() && block.position() > 0 && block.blockFormat().boolProperty(SoftBreakProperty);
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

void SetLineState(const QTextBlock &lineStart, int state)
{
    QTextBlock b = lineStart;
    do {
        b.setUserState(state);
        b = b.next();
    } while (ContinuesLine(b));
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
    // The keeper follows every edit: no walk over the blocks.
    if (const BreakKeeper *keeper = BreakKeeper::of(document)) {
        breaks_.reserve(keeper->breaks().size());
        for (const int at : keeper->breaks())
            breaks_.append(at);
        return;
    }
    if (MayHoldSoftBreaks(document))
        breaks_ = ScanSoftBreaks(document);
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

bool HasSoftBreaks(const QTextDocument &document)
{
    if (!MayHoldSoftBreaks(document))
        return false;
    if (const BreakKeeper *keeper = BreakKeeper::of(document))
        return keeper->count() > 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (ContinuesLine(block))
            return true;
    }
    return false;
}

// Line numbers and counts come from the keeper where there is one: the
// caret panel asks on every key.
int LineCount(const QTextDocument &document)
{
    if (const BreakKeeper *keeper = BreakKeeper::of(document))
        return document.blockCount() - int(keeper->count());
    if (!MayHoldSoftBreaks(document))
        return document.blockCount();
    return document.blockCount() - int(SoftBreaks(document).count());
}

int LineNumber(const QTextBlock &block)
{
    if (!block.isValid())
        return block.blockNumber();
    if (const BreakKeeper *keeper = BreakKeeper::of(*block.document()))
        return block.blockNumber() - int(keeper->countBefore(block.position()));
    if (!MayHoldSoftBreaks(*block.document()))
        return block.blockNumber();
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
    for (QTextBlock block = document.findBlock(from).next(); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (ContinuesLine(block))
            SetSoft(document, block, false);
    }
}

void ReplaceSelection(QTextCursor &cursor, const QString &text)
{
    QTextDocument &document = *cursor.document();
    const int from = cursor.selectionStart();
    const QTextBlock first = document.findBlock(from);
    const bool blockStart = first.position() == from;
    const bool soft = ContinuesLine(first);
    cursor.beginEditBlock();
    cursor.insertText(text);
    const QTextBlock now = document.findBlock(from);
    if (blockStart && from > 0 && ContinuesLine(now) != soft)
        SetSoft(document, now, soft);
    ClearCopiedFlags(document, from, cursor.position());
    cursor.endEditBlock();
}

void InsertText(QTextCursor &cursor, const QString &text)
{
    QTextDocument &document = *cursor.document();
    cursor.beginEditBlock();
    const int from = cursor.selectionStart();
    ReplaceSelection(cursor, text);
    Rebalance(document, from, cursor.position());
    cursor.endEditBlock();
}

BreakKeeper::BreakKeeper(QTextDocument *document) : QObject(document), document_(document)
{
    // A document reports its changes only once it has a layout.
    document->documentLayout();
    for (const qsizetype at : ScanSoftBreaks(*document))
        soft_.append(int(at));
    connect(document, &QTextDocument::contentsChange, this, &BreakKeeper::changed);
}

BreakKeeper *BreakKeeper::of(const QTextDocument &document)
{
    for (QObject *child : document.children()) {
        if (auto *keeper = dynamic_cast<BreakKeeper *>(child))
            return keeper;
    }
    return nullptr;
}

qsizetype BreakKeeper::countBefore(int position) const
{
    return std::lower_bound(soft_.begin(), soft_.end(), position) - soft_.begin();
}

bool BreakKeeper::intended(int at) const
{
    return std::binary_search(soft_.begin(), soft_.end(), at);
}

void BreakKeeper::intend(int at, bool soft)
{
    const auto it = std::lower_bound(soft_.begin(), soft_.end(), at);
    const bool there = it != soft_.end() && *it == at;
    if (soft && !there)
        soft_.insert(it, at);
    else if (!soft && there)
        soft_.erase(it);
}

void BreakKeeper::changed(int from, int removed, int added)
{
    const bool wasSoft = intended(from - 1);
    const auto follow = [&](QList<int> &positions) {
        auto it = std::lower_bound(positions.begin(), positions.end(), from);
        it = positions.erase(it, std::lower_bound(it, positions.end(), from + removed));
        for (; it != positions.end(); ++it)
            *it += added - removed;
    };
    follow(soft_);
    follow(starts_);
    // The breaks the edit brought (undo brings soft ones back) are as they came.
    const QTextBlock first = document_->findBlock(from);
    if (MayHoldSoftBreaks(*document_)) {
        for (QTextBlock block = first.next(); block.isValid() && block.position() <= from + added;
             block = block.next()) {
            if (ContinuesLine(block))
                intend(block.position() - 1, true);
        }
    }
    const bool changedKind = first.position() == from && ContinuesLine(first) != (from > 0 && wasSoft);
    const bool firstFlagged = from == 0 && first.blockFormat().boolProperty(SoftBreakProperty);
    if (changedKind || firstFlagged)
        starts_.insert(std::lower_bound(starts_.begin(), starts_.end(), from), from);
}

bool BreakKeeper::repair()
{
    const QList<int> starts = std::exchange(starts_, {});
    bool repaired = false;
    for (const int at : starts) {
        const QTextBlock block = document_->findBlock(at);
        if (block.position() != at)
            continue;
        const bool soft = at > 0 && intended(at - 1);
        if (block.blockFormat().boolProperty(SoftBreakProperty) != soft) {
            SetSoft(*document_, block, soft);
            repaired = true;
        }
    }
    return repaired;
}

bool NeedsRebalance(const QTextDocument &document, int from, int to)
{
    // Without soft breaks only a block past the bound needs splitting.
    if (!MayHoldSoftBreaks(document)) {
        const QTextBlock end = document.findBlock(to).next();
        for (QTextBlock block = document.findBlock(from); block.isValid() && block != end;
             block = block.next()) {
            if (LengthOf(block) > MaxBlockChars)
                return true;
        }
        return false;
    }
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
