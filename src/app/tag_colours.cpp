#include "tag_colours.h"

#include "display_blocks.h"
#include "stored_text.h"
#include "tag_colouring.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <functional>
#include <iterator>

using TextTools::TextRange;
using TextTools::TextRanges;

namespace {

// The runs after an edit that removed `removed` characters at `position` and
// added `added`: added text takes the colour of the character before it, as
// typed characters do. Runs before the edit are left alone, so typing in a
// large page costs one pass over the runs after the caret.
void Follow(TextRanges &ranges, qsizetype position, qsizetype removed, qsizetype added)
{
    const qsizetype delta = added - removed;
    const qsizetype removedEnd = position + removed;
    auto it = std::lower_bound(ranges.begin(), ranges.end(), position,
                               [](const TextRange &r, qsizetype at) { return r.end() < at; });
    bool emptied = false;
    for (; it != ranges.end(); ++it) {
        TextRange &r = *it;
        if (removed > 0 && r.end() == position)
            continue; // before the edit
        if (removed == 0 && r.start >= position)
            r.start += added; // after an insertion
        else if (removed > 0 && r.start >= removedEnd)
            r.start += delta; // after a replacement
        else if (r.start < position)
            r.length = std::max(r.end(), removedEnd) + delta - r.start; // reaches the edit
        else {
            // Began in the removed text: what is left of it.
            r.length = std::max<qsizetype>(0, r.end() - removedEnd);
            r.start = position + added;
            emptied = emptied || r.length == 0;
        }
    }
    if (emptied)
        ranges.removeIf([](const TextRange &r) { return r.length == 0; });
}

// Replaces whatever the runs hold in [reset.start, reset.end()) by `blue`,
// touching only the runs near it.
void Recolour(TextRanges &ranges, const TextRange &reset, const TextRanges &blue)
{
    qsizetype from = reset.start;
    qsizetype to = reset.end();
    for (const TextRange &r : blue) {
        from = std::min(from, r.start);
        to = std::max(to, r.end());
    }
    auto first = std::lower_bound(ranges.begin(), ranges.end(), from,
                                  [](const TextRange &r, qsizetype at) { return r.end() < at; });
    auto last = first;
    while (last != ranges.end() && last->start <= to)
        ++last;
    TextRanges span(first, last);
    TextRanges kept;
    for (const TextRange &r : std::as_const(span)) {
        if (r.end() <= reset.start || r.start >= reset.end()) {
            kept << r;
            continue;
        }
        if (r.start < reset.start)
            kept << TextRange{r.start, reset.start - r.start};
        if (r.end() > reset.end())
            kept << TextRange{reset.end(), r.end() - reset.end()};
    }
    kept << blue;
    std::sort(kept.begin(), kept.end(),
              [](const TextRange &a, const TextRange &b) { return a.start < b.start; });
    TextRanges merged;
    for (const TextRange &r : std::as_const(kept)) {
        if (r.length <= 0)
            continue;
        if (!merged.isEmpty() && r.start <= merged.last().end())
            merged.last().length = std::max(merged.last().end(), r.end()) - merged.last().start;
        else
            merged << r;
    }
    const qsizetype at = first - ranges.begin();
    ranges.remove(at, last - first);
    for (qsizetype i = 0; i < merged.size(); ++i)
        ranges.insert(at + i, merged[i]);
}

void Paint(const TextRanges &ranges, qsizetype from, qsizetype to, const QColor &colour,
           const std::function<void(int, int, const QColor &)> &setColour)
{
    auto it = std::lower_bound(ranges.begin(), ranges.end(), from,
                               [](const TextRange &r, qsizetype at) { return r.end() <= at; });
    for (; it != ranges.end() && it->start < to; ++it) {
        const qsizetype start = std::max(it->start, from);
        const qsizetype end = std::min(it->end(), to);
        if (end > start)
            setColour(int(start - from), int(end - start), colour);
    }
}

} // namespace

TagColours::TagColours(QPlainTextEdit *editor)
    : QSyntaxHighlighter(static_cast<QObject *>(nullptr)), text_(editor->document()), editor_(editor)
{
    QTextDocument *document = editor->document();
    setParent(document);
    // Before the highlighter's own handler, so the runs have moved when it
    // colours the edited lines again.
    connect(document, &QTextDocument::contentsChange, this, &TagColours::follow);
    connect(editor, &QPlainTextEdit::textChanged, this, [this] { changed_ = true; });
}

void TagColours::attach()
{
    if (document() == nullptr)
        setDocument(text_);
}

bool TagColours::detachWhenUncoloured()
{
    const bool uncoloured = blue_.isEmpty() && marks_.isEmpty();
    if (uncoloured && document() != nullptr)
        setDocument(nullptr);
    return uncoloured;
}

bool TagColours::attachAndDrawAll()
{
    if (document() != nullptr)
        return false;
    attach();
    rehighlight();
    return true;
}

void TagColours::colourAll()
{
    setMarks({});
    TextRanges blue = TextTools::ColourAllTagsRanges(TextTools::StoredText(*text_));
    const DisplayBlocks::SoftBreaks breaks(*text_);
    if (!breaks.isEmpty()) {
        for (TextRange &range : blue)
            range = breaks.range(range);
    }
    setBlue(blue);
    enableNearCaret();
}

void TagColours::colourNearCaret()
{
    if (!changed_ || !text_->isModified())
        return;
    // The window reaches 150 editor units back and 100 ahead, at most one
    // character each: a slice of the text around the caret holds it.
    const int caret = editor_->textCursor().position();
    const int length = text_->characterCount() - 1;
    const int from = std::max(0, caret - 300);
    const int to = std::min(length, caret + 300);
    QTextCursor slice(text_);
    slice.setPosition(from);
    slice.setPosition(to, QTextCursor::KeepAnchor);
    const DisplayBlocks::SoftBreaks breaks(*text_);
    const qsizetype storedFrom = breaks.stored(from);
    TextTools::NearCaretColouring colouring = TextTools::ColourTagsNearCaretRanges(
        TextTools::StoredSelection(slice), breaks.stored(caret) - storedFrom);
    if (colouring.blue.isEmpty() && colouring.reset.length == 0)
        return;
    colouring.reset = breaks.range({colouring.reset.start + storedFrom, colouring.reset.length});
    for (TextRange &range : colouring.blue)
        range = breaks.range({range.start + storedFrom, range.length});
    recolour(colouring.reset, colouring.blue);
}

void TagColours::tick(bool automatic)
{
    if (nearCaretEnabled_ && changed_ && automatic) {
        colourNearCaret();
        changed_ = false;
    }
}

void TagColours::follow(int position, int removed, int added)
{
    // Colouring itself reports its lines as changed without changing the
    // text, and the document's revision stays.
    const int revision = text_->revision();
    if (revision == revision_)
        return;
    revision_ = revision;
    if (blue_.isEmpty() && marks_.isEmpty())
        return;
    // A whole new text keeps no colours.
    if (position == 0 && added >= text_->characterCount() - 1) {
        blue_.clear();
        marks_.clear();
        return;
    }
    Follow(blue_, position, removed, added);
    Follow(marks_, position, removed, added);
}

void TagColours::setBlue(TextRanges ranges)
{
    blue_ = std::move(ranges);
    if (detachWhenUncoloured())
        return;
    attach();
    rehighlight();
}

void TagColours::recolour(const TextRange &reset, const TextRanges &blue)
{
    Recolour(blue_, reset, blue);
    if (detachWhenUncoloured() || attachAndDrawAll())
        return;
    qsizetype to = reset.end();
    for (const TextRange &r : blue)
        to = std::max(to, r.end());
    rehighlightRange(reset.start, to);
}

void TagColours::setMarks(TextRanges ranges)
{
    if (document() == nullptr && ranges.isEmpty())
        return;
    // Only the lines of marks that came or went are drawn again: a search
    // adds one mark to many on a large page.
    const auto before = [](const TextRange &a, const TextRange &b) {
        return a.start != b.start ? a.start < b.start : a.length < b.length;
    };
    TextRanges changed;
    std::set_symmetric_difference(marks_.begin(), marks_.end(), ranges.begin(), ranges.end(),
                                  std::back_inserter(changed), before);
    marks_ = std::move(ranges);
    if (attachAndDrawAll())
        return;
    for (const TextRange &r : std::as_const(changed))
        rehighlightRange(r.start, r.end());
    detachWhenUncoloured();
}

void TagColours::clear()
{
    blue_.clear();
    marks_.clear();
    detachWhenUncoloured();
}

void TagColours::rehighlightRange(qsizetype from, qsizetype to)
{
    for (QTextBlock block = document()->findBlock(int(from)); block.isValid() && block.position() <= to;
         block = block.next())
        rehighlightBlock(block);
}

void TagColours::highlightBlock(const QString &text)
{
    const qsizetype from = currentBlock().position();
    const qsizetype to = from + text.size();
    const auto set = [this](int start, int count, const QColor &colour) { setFormat(start, count, colour); };
    Paint(blue_, from, to, QColor(0, 0, 255), set);
    Paint(marks_, from, to, QColor(255, 0, 0), set);
}
