// The search bar's operations on the editor's document: find next, mark all,
// replace and replace all. Each says what the editor should select; the window
// selects it. Marks are kept here as ranges that follow later edits of the
// document (not QTextCursors: a document never shrinks its table of cursors,
// so thousands of them slow every later edit); the window shows them in red.
#pragma once

#include "search_pattern.h"
#include "text_range.h"

#include <QMetaObject>
#include <optional>

class QTextDocument;

namespace TextTools {

enum class SearchOutcome {
    Done,
    NotFound,    // "検索" found nothing more: the caller sounds the information beep
    EmptySearch, // nothing to search for: nothing was done
    TooLong,     // the result would pass the editor's size limit: nothing was done
    BadPattern,  // a regular expression that does not compile: nothing was done
};

struct SearchResult
{
    SearchOutcome outcome = SearchOutcome::Done;
    // What the editor selects next (length 0: where the caret goes); none:
    // the selection stays as it is.
    std::optional<TextRange> select;
};

class SearchReplace
{
public:
    // Works on the editor's `document`; `maxChars` is the editor's limit.
    SearchReplace(QTextDocument *document, qsizetype maxChars);
    ~SearchReplace();
    Q_DISABLE_COPY_MOVE(SearchReplace)

    // Where the next "検索" starts; -1 after mark all and replace all.
    qsizetype searchPosition() const { return position_; }

    // Typing a search text or switching an option starts over at the top.
    void resetSearchPosition() { position_ = 0; }

    // Whether "置換" is enabled: after a successful "検索" until the next
    // "置換" or a failed "検索".
    bool canReplace() const { return canReplace_; }

    // "検索": selects and marks the next match of `text`; when there is none,
    // the caret goes to the end. An empty match moves the next search on one character.
    SearchResult findNext(const QString &text, const SearchOptions &options);

    // "全彩色": marks every match of `text`, the last one left selected.
    SearchResult markAll(const QString &text, const SearchOptions &options);

    // "置換": the match "検索" selected replaced by `replacement` (taken literally,
    // or with an expression's captures), which is marked; when the editor's
    // `selection` no longer holds that match, the next one is found from the
    // selection's start instead.
    SearchResult replace(const QString &text, const QString &replacement, const SearchOptions &options,
                         TextRange selection);

    // "一括置換" in one undoable step; "[RET]" (or "[ret]") in either literal text
    // and in an expression's replacement is a line break. Inserted text is never
    // searched again; the caret goes behind the last replacement.
    SearchResult replaceAll(const QString &text, const QString &replacement, const SearchOptions &options);

    // The marked runs in current character positions, in text order.
    const TextRanges &marks() const { return marks_; }

    // Forgets every mark (the text was coloured anew).
    void clearMarks() { marks_.clear(); }

private:
    void addMarks(const TextRanges &ranges);
    void follow(qsizetype from, qsizetype removed, qsizetype added);

    QTextDocument *document_;
    qsizetype maxChars_;
    qsizetype position_ = 0;
    bool canReplace_ = false;
    TextRange found_;        // the match "検索" selected last
    SearchMatch foundMatch_; // its captures
    QString foundText_;      // and its text, which "置換" finds still selected
    TextRanges marks_;       // sorted, disjoint
    bool ownEdit_ = false;
    QMetaObject::Connection following_;
};

} // namespace TextTools
