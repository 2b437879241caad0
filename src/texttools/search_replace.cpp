#include "search_replace.h"

#include "replace_exact_or_lower.h"
#include "text_search.h"

#include <QPlainTextEdit>
#include <QTextDocument>
#include <algorithm>

namespace TextTools {

namespace {

// The document's text with one "\n" per block break, position for position
// (toPlainText would also turn no-break spaces into spaces).
QString DocumentText(const QTextDocument &document)
{
    QString text = document.toRawText();
    for (QChar &c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    }
    return text;
}

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

SearchReplace::SearchReplace(QPlainTextEdit *editor, qsizetype maxChars)
    : editor_(editor), maxChars_(maxChars)
{
}

SearchOutcome SearchReplace::findNext(const QString &text, bool matchCase)
{
    if (text.isEmpty())
        return SearchOutcome::EmptySearch;
    QTextDocument *document = editor_->document();
    const KeepModified keep(document);
    const qsizetype at = FindText(DocumentText(*document), text, qMax<qsizetype>(position_, 0), matchCase);
    editor_->setFocus();
    if (at < 0) {
        editor_->moveCursor(QTextCursor::End);
        canReplace_ = false;
        position_ = 0;
        return SearchOutcome::NotFound;
    }
    select(at, at + text.size());
    addMark(at, text.size());
    canReplace_ = true;
    position_ = at + text.size();
    return SearchOutcome::Done;
}

SearchOutcome SearchReplace::markAll(const QString &text, bool matchCase)
{
    if (text.isEmpty())
        return SearchOutcome::EmptySearch;
    const KeepModified keep(editor_->document());
    const QList<qsizetype> matches = FindAllMatches(DocumentText(*editor_->document()), text, matchCase);
    for (const qsizetype at : matches)
        addMark(at, text.size());
    if (!matches.isEmpty())
        select(matches.last(), matches.last() + text.size());
    compactMarks();
    editor_->setFocus();
    position_ = -1;
    return SearchOutcome::Done;
}

SearchOutcome SearchReplace::replace(const QString &replacement)
{
    if (!canReplace_)
        return SearchOutcome::NotFound;
    QTextCursor cursor = editor_->textCursor();
    const qsizetype length = editor_->document()->characterCount() - 1;
    if (length - (cursor.selectionEnd() - cursor.selectionStart()) + replacement.size() > maxChars_)
        return SearchOutcome::TooLong;
    const qsizetype start = cursor.selectionStart();
    cursor.insertText(replacement);
    editor_->setTextCursor(cursor);
    addMark(start, replacement.size());
    editor_->setFocus();
    canReplace_ = false;
    return SearchOutcome::Done;
}

SearchOutcome SearchReplace::replaceAll(const QString &text, const QString &replacement, bool matchCase)
{
    const QString search = ReplaceExactOrLower(text, LineBreakMarker(), QStringLiteral("\n"));
    const QString insert = ReplaceExactOrLower(replacement, LineBreakMarker(), QStringLiteral("\n"));
    if (search.isEmpty())
        return SearchOutcome::EmptySearch;
    QTextDocument *document = editor_->document();
    const QList<qsizetype> matches = FindAllMatches(DocumentText(*document), search, matchCase);
    const qsizetype growth = insert.size() - search.size();
    if (document->characterCount() - 1 + growth * matches.size() > maxChars_)
        return SearchOutcome::TooLong;
    position_ = -1;
    editor_->setFocus();
    if (matches.isEmpty())
        return SearchOutcome::Done;

    // From the last match back, so the earlier positions still hold; one edit
    // block makes the whole replacement one undo step.
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (auto it = matches.crbegin(); it != matches.crend(); ++it) {
        cursor.setPosition(*it);
        cursor.setPosition(*it + search.size(), QTextCursor::KeepAnchor);
        cursor.insertText(insert);
    }
    cursor.endEditBlock();

    for (qsizetype k = 0; k < matches.size(); ++k)
        addMark(matches[k] + k * growth, insert.size());
    compactMarks();
    const qsizetype lastEnd = matches.last() + (matches.size() - 1) * growth + insert.size();
    select(lastEnd, lastEnd);
    return SearchOutcome::Done;
}

TextRanges SearchReplace::marks() const
{
    TextRanges ranges;
    for (const QTextCursor &mark : marks_) {
        if (mark.hasSelection())
            ranges.append({mark.selectionStart(), mark.selectionEnd() - mark.selectionStart()});
    }
    std::sort(ranges.begin(), ranges.end(),
              [](const TextRange &a, const TextRange &b) { return a.start < b.start; });
    ranges.erase(std::unique(ranges.begin(), ranges.end()), ranges.end());
    return ranges;
}

void SearchReplace::compactMarks()
{
    // Marking the same matches again, or deleting marked text, must not
    // leave cursors behind: each one is moved on every later edit.
    std::erase_if(marks_, [](const QTextCursor &mark) { return !mark.hasSelection(); });
    const auto key = [](const QTextCursor &c) { return std::pair(c.selectionStart(), c.selectionEnd()); };
    std::sort(marks_.begin(), marks_.end(),
              [&](const QTextCursor &a, const QTextCursor &b) { return key(a) < key(b); });
    marks_.erase(std::unique(marks_.begin(), marks_.end(),
                             [&](const QTextCursor &a, const QTextCursor &b) { return key(a) == key(b); }),
                 marks_.end());
}

void SearchReplace::addMark(qsizetype start, qsizetype length)
{
    if (length <= 0)
        return;
    QTextCursor mark(editor_->document());
    mark.setPosition(start);
    mark.setPosition(start + length, QTextCursor::KeepAnchor);
    marks_.push_back(mark);
}

void SearchReplace::select(qsizetype start, qsizetype end)
{
    QTextCursor cursor = editor_->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    editor_->setTextCursor(cursor);
}

} // namespace TextTools
