#include "search_replace.h"

#include "display_blocks.h"
#include "stored_text.h"

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

SearchResult SearchReplace::findNext(const QString &text, const SearchOptions &options)
{
    const SearchPattern pattern(text, options);
    if (text.isEmpty())
        return {SearchOutcome::EmptySearch, {}};
    if (!pattern.isValid())
        return {SearchOutcome::BadPattern, {}};
    const KeepModified keep(document_);
    const SearchMatch match = pattern.find(StoredText(*document_), qMax<qsizetype>(position_, 0));
    if (!match.found()) {
        canReplace_ = false;
        position_ = 0;
        return {SearchOutcome::NotFound, TextRange{document_->characterCount() - 1, 0}};
    }
    found_ = DisplayBlocks::SoftBreaks(*document_).range({match.start, match.length});
    foundMatch_ = match;
    foundText_ = match.captures.value(0);
    addMarks({found_});
    canReplace_ = true;
    // An empty match is not found again where it stands.
    position_ = match.end() + (match.length == 0 ? 1 : 0);
    return {SearchOutcome::Done, found_};
}

SearchResult SearchReplace::markAll(const QString &text, const SearchOptions &options)
{
    const SearchPattern pattern(text, options);
    if (text.isEmpty())
        return {SearchOutcome::EmptySearch, {}};
    if (!pattern.isValid())
        return {SearchOutcome::BadPattern, {}};
    const KeepModified keep(document_);
    TextRanges found;
    const QList<SearchMatch> matches = pattern.findAll(StoredText(*document_));
    const DisplayBlocks::SoftBreaks breaks(*document_);
    for (const SearchMatch &m : matches)
        found.append(breaks.range({m.start, m.length}));
    addMarks(found);
    position_ = -1;
    if (found.isEmpty())
        return {SearchOutcome::Done, {}};
    return {SearchOutcome::Done, found.last()};
}

SearchResult SearchReplace::replace(const QString &text, const QString &replacement,
                                    const SearchOptions &options, TextRange selection)
{
    if (!canReplace_)
        return {SearchOutcome::NotFound, {}};
    const SearchPattern pattern(text, options);
    if (!pattern.isValid())
        return {SearchOutcome::BadPattern, {}};
    QTextCursor cursor(document_);
    cursor.setPosition(int(selection.start));
    cursor.setPosition(int(selection.end()), QTextCursor::KeepAnchor);
    // The user may have selected other text or moved the caret since: only
    // the match itself is replaced, else it is looked for again.
    const QString selected = StoredSelection(cursor);
    const bool holdsMatch =
        selection == found_ &&
        (options.regularExpression ? selected == foundText_ : pattern.matchesWhole(selected));
    if (!holdsMatch) {
        position_ = DisplayBlocks::SoftBreaks(*document_).stored(qMax<qsizetype>(selection.start, 0));
        return findNext(text, options);
    }
    // A literal replacement goes in as typed; an expression's takes its captures.
    const QString insert =
        options.regularExpression ? pattern.replacementFor(replacement, foundMatch_) : replacement;
    const qsizetype length = document_->characterCount() - 1;
    if (length - selection.length + insert.size() > maxChars_)
        return {SearchOutcome::TooLong, {}};
    DisplayBlocks::InsertText(cursor, insert);
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
// `growth[k]` is how much the text grew by the replacements before match k.
TextRanges MarksAfterReplacing(const TextRanges &marks, const QList<SearchMatch> &matches,
                               const QList<qsizetype> &growth)
{
    QList<qsizetype> ends;
    ends.reserve(matches.size());
    for (const SearchMatch &m : matches)
        ends.append(m.end());
    TextRanges moved;
    for (const TextRange &mark : marks) {
        // Matches ending at or before the mark's start.
        const auto before = std::upper_bound(ends.begin(), ends.end(), mark.start) - ends.begin();
        const bool overlaps = before < matches.size() && matches[before].start < mark.end();
        if (!overlaps)
            moved.append({mark.start + growth[before], mark.length});
    }
    return moved;
}

} // namespace

SearchResult SearchReplace::replaceAll(const QString &text, const QString &replacement,
                                       const SearchOptions &options)
{
    if (text.isEmpty())
        return {SearchOutcome::EmptySearch, {}};
    const SearchPattern pattern = SearchPattern::forReplacing(text, options);
    if (!pattern.isValid())
        return {SearchOutcome::BadPattern, {}};
    const QString before = StoredText(*document_);
    const QList<SearchMatch> matches = pattern.findAll(before);
    QStringList inserts;
    QList<qsizetype> growth{0}; // before each match, then in all
    inserts.reserve(matches.size());
    for (const SearchMatch &m : matches) {
        inserts.append(pattern.replacementFor(replacement, m));
        growth.append(growth.last() + inserts.last().size() - m.length);
    }
    if (before.size() + growth.last() > maxChars_)
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
    TextRanges newMarks = MarksAfterReplacing(storedMarks, matches, growth);
    marks_.clear();
    ownEdit_ = true; // the marks are moved here, not by the merged change report
    QTextCursor cursor(document_);
    cursor.beginEditBlock(); // one undo step
    const int editFrom = int(oldBreaks.displayStart(matches.first().start));
    if (matches.size() <= kEditsPerMatch) {
        // From the last match back, so the earlier positions still hold.
        for (qsizetype k = matches.size() - 1; k >= 0; --k) {
            const TextRange range = oldBreaks.range({matches[k].start, matches[k].length});
            cursor.setPosition(int(range.start));
            cursor.setPosition(int(range.end()), QTextCursor::KeepAnchor);
            DisplayBlocks::ReplaceSelection(cursor, inserts[k]);
        }
    } else {
        const qsizetype first = matches.first().start;
        const qsizetype end = matches.last().end();
        QString span;
        span.reserve(end - first + growth.last());
        qsizetype from = first;
        for (qsizetype k = 0; k < matches.size(); ++k) {
            span.append(QStringView(before).sliced(from, matches[k].start - from)).append(inserts[k]);
            from = matches[k].end();
        }
        cursor.setPosition(editFrom);
        cursor.setPosition(int(oldBreaks.display(end)), QTextCursor::KeepAnchor);
        DisplayBlocks::ReplaceSelection(cursor, span);
    }
    const qsizetype last = matches.size() - 1;
    const qsizetype lastEnd = matches[last].start + growth[last] + inserts[last].size();
    DisplayBlocks::Rebalance(*document_, editFrom,
                             int(DisplayBlocks::SoftBreaks(*document_).display(lastEnd)));
    cursor.endEditBlock();
    ownEdit_ = false;
    for (qsizetype k = 0; k < matches.size(); ++k)
        newMarks.append({matches[k].start + growth[k], inserts[k].size()});
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
