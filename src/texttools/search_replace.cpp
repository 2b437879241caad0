#include "search_replace.h"

#include "display_blocks.h"
#include "replace_exact_or_lower.h"
#include "stored_text.h"
#include "text_search.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <iterator>

namespace TextTools {

namespace {

// Restores the document's modified flag on leaving: marking is not an edit.
class KeepModified
{
public:
    explicit KeepModified(QTextDocument *document) : document_(document), modified_(document->isModified()) {}
    ~KeepModified() { document_->setModified(modified_); }
    Q_DISABLE_COPY_MOVE(KeepModified)

private:
    QTextDocument *document_;
    bool modified_;
};

const QString &LineBreakMarker()
{
    static const QString marker = QStringLiteral("[RET]");
    return marker;
}

} // namespace

SearchReplace::SearchReplace(QTextDocument *document, qsizetype maxChars)
    : document_(document), maxChars_(maxChars)
{
    // A document reports its changes only once it has a layout; an editor's
    // has one already.
    document->documentLayout();
    following_ = QObject::connect(document, &QTextDocument::contentsChange, document,
                                  [this](int from, int removed, int added) {
                                      if (!ownEdit_)
                                          follow(from, removed, added);
                                  });
}

SearchReplace::~SearchReplace()
{
    QObject::disconnect(following_);
}

SearchResult SearchReplace::findNext(const QString &text, bool matchCase)
{
    if (text.isEmpty())
        return {SearchOutcome::EmptySearch, {}};
    const KeepModified keep(document_);
    const qsizetype at = FindText(StoredText(*document_), text, qMax<qsizetype>(position_, 0), matchCase);
    if (at < 0) {
        canReplace_ = false;
        position_ = 0;
        return {SearchOutcome::NotFound, TextRange{document_->characterCount() - 1, 0}};
    }
    found_ = DisplayBlocks::SoftBreaks(*document_).range({at, text.size()});
    addMarks({found_});
    canReplace_ = true;
    position_ = at + text.size();
    return {SearchOutcome::Done, found_};
}

SearchResult SearchReplace::markAll(const QString &text, bool matchCase)
{
    if (text.isEmpty())
        return {SearchOutcome::EmptySearch, {}};
    const KeepModified keep(document_);
    TextRanges found;
    const QList<qsizetype> matches = FindAllMatches(StoredText(*document_), text, matchCase);
    const DisplayBlocks::SoftBreaks breaks(*document_);
    for (const qsizetype at : matches)
        found.append(breaks.range({at, text.size()}));
    addMarks(found);
    position_ = -1;
    if (found.isEmpty())
        return {SearchOutcome::Done, {}};
    return {SearchOutcome::Done, found.last()};
}

SearchResult SearchReplace::replace(const QString &text, const QString &replacement, bool matchCase,
                                    TextRange selection)
{
    if (!canReplace_)
        return {SearchOutcome::NotFound, {}};
    QTextCursor cursor(document_);
    cursor.setPosition(int(selection.start));
    cursor.setPosition(int(selection.end()), QTextCursor::KeepAnchor);
    // The user may have selected other text or moved the caret since: only
    // the match itself is replaced, else it is looked for again.
    const QString selected = StoredSelection(cursor);
    const bool holdsMatch =
        selection == found_ && selected.size() == text.size() && FindText(selected, text, 0, matchCase) == 0;
    if (!holdsMatch) {
        position_ = DisplayBlocks::SoftBreaks(*document_).stored(qMax<qsizetype>(selection.start, 0));
        return findNext(text, matchCase);
    }
    const qsizetype length = document_->characterCount() - 1;
    if (length - selection.length + replacement.size() > maxChars_)
        return {SearchOutcome::TooLong, {}};
    DisplayBlocks::InsertText(cursor, replacement);
    addMarks({{selection.start, cursor.position() - selection.start}});
    canReplace_ = false;
    return {SearchOutcome::Done, TextRange{cursor.position(), 0}};
}

namespace {

// Beyond this many matches one edit of the span from the first match to the
// end of the last is cheaper than an edit per match.
constexpr qsizetype kEditsPerMatch = 256;

// Earlier marks moved by the replacements in front of them; a mark that
// overlaps a match goes, the replacement's own mark takes its place.
TextRanges MarksAfterReplacing(const TextRanges &marks, const QList<qsizetype> &matches, qsizetype length,
                               qsizetype growth)
{
    TextRanges moved;
    for (const TextRange &mark : marks) {
        // Matches ending at or before the mark's start.
        const auto before =
            std::upper_bound(matches.begin(), matches.end(), mark.start - length) - matches.begin();
        const bool overlaps = before < matches.size() && matches[before] < mark.end();
        if (!overlaps)
            moved.append({mark.start + before * growth, mark.length});
    }
    return moved;
}

} // namespace

SearchResult SearchReplace::replaceAll(const QString &text, const QString &replacement, bool matchCase)
{
    const QString search = ReplaceExactOrLower(text, LineBreakMarker(), QStringLiteral("\n"));
    const QString insert = ReplaceExactOrLower(replacement, LineBreakMarker(), QStringLiteral("\n"));
    if (search.isEmpty())
        return {SearchOutcome::EmptySearch, {}};
    const QString before = StoredText(*document_);
    const QList<qsizetype> matches = FindAllMatches(before, search, matchCase);
    const qsizetype growth = insert.size() - search.size();
    if (before.size() + growth * matches.size() > maxChars_)
        return {SearchOutcome::TooLong, {}};
    position_ = -1;
    if (matches.isEmpty())
        return {SearchOutcome::Done, {}};

    // Marks and matches are worked out in the text as stored; the cursor
    // moves in display positions.
    const DisplayBlocks::SoftBreaks oldBreaks(*document_);
    TextRanges storedMarks;
    for (const TextRange &mark : std::as_const(marks_)) {
        const qsizetype start = oldBreaks.stored(mark.start);
        storedMarks.append({start, oldBreaks.stored(mark.end()) - start});
    }
    TextRanges newMarks = MarksAfterReplacing(storedMarks, matches, search.size(), growth);
    marks_.clear();
    ownEdit_ = true; // the marks are moved here, not by the merged change report
    QTextCursor cursor(document_);
    cursor.beginEditBlock(); // one undo step
    const int editFrom = int(oldBreaks.displayStart(matches.first()));
    if (matches.size() <= kEditsPerMatch) {
        // From the last match back, so the earlier positions still hold.
        for (auto it = matches.crbegin(); it != matches.crend(); ++it) {
            const TextRange range = oldBreaks.range({*it, search.size()});
            cursor.setPosition(int(range.start));
            cursor.setPosition(int(range.end()), QTextCursor::KeepAnchor);
            DisplayBlocks::ReplaceSelection(cursor, insert);
        }
    } else {
        const qsizetype first = matches.first();
        const qsizetype end = matches.last() + search.size();
        QString span;
        span.reserve(end - first + growth * matches.size());
        qsizetype from = first;
        for (const qsizetype at : matches) {
            span.append(QStringView(before).sliced(from, at - from)).append(insert);
            from = at + search.size();
        }
        cursor.setPosition(editFrom);
        cursor.setPosition(int(oldBreaks.display(end)), QTextCursor::KeepAnchor);
        DisplayBlocks::ReplaceSelection(cursor, span);
    }
    const qsizetype lastEnd = matches.last() + (matches.size() - 1) * growth + insert.size();
    DisplayBlocks::Rebalance(*document_, editFrom,
                             int(DisplayBlocks::SoftBreaks(*document_).display(lastEnd)));
    cursor.endEditBlock();
    ownEdit_ = false;
    for (qsizetype k = 0; k < matches.size(); ++k)
        newMarks.append({matches[k] + k * growth, insert.size()});
    const DisplayBlocks::SoftBreaks breaks(*document_);
    for (TextRange &mark : newMarks)
        mark = breaks.range(mark);
    addMarks(newMarks);
    return {SearchOutcome::Done, TextRange{breaks.display(lastEnd), 0}};
}

void SearchReplace::addMarks(const TextRanges &ranges)
{
    TextRanges added;
    std::copy_if(ranges.begin(), ranges.end(), std::back_inserter(added),
                 [](const TextRange &r) { return r.length > 0; });
    const auto byStart = [](const TextRange &a, const TextRange &b) { return a.start < b.start; };
    std::sort(added.begin(), added.end(), byStart);
    TextRanges all;
    all.reserve(marks_.size() + added.size());
    std::merge(marks_.begin(), marks_.end(), added.begin(), added.end(), std::back_inserter(all), byStart);
    // Marking the same text again gives one mark.
    all.erase(std::unique(all.begin(), all.end()), all.end());
    marks_ = std::move(all);
}

void SearchReplace::follow(qsizetype from, qsizetype removed, qsizetype added)
{
    // Marks behind the change move; a mark the change touches inside goes.
    const qsizetype removedEnd = from + removed;
    TextRanges kept;
    kept.reserve(marks_.size());
    for (const TextRange &mark : std::as_const(marks_)) {
        if (mark.end() <= from)
            kept.append(mark);
        else if (mark.start >= removedEnd)
            kept.append({mark.start + added - removed, mark.length});
    }
    marks_ = std::move(kept);
    if (found_.start >= removedEnd)
        found_.start += added - removed;
    else if (found_.end() > from)
        found_ = {-1, 0};
}

} // namespace TextTools
