#include "editor_search.h"

#include "document_codec.h"
#include "search_bar.h"
#include "search_replace.h"
#include "tag_colours.h"

#include <QApplication>
#include <QPlainTextEdit>

using TextTools::SearchOutcome;
using TextTools::SearchResult;

EditorSearch::EditorSearch(SearchBar *bar, QPlainTextEdit *editor, TagColours *colours)
    : bar_(bar), editor_(editor), colours_(colours),
      search_(std::make_unique<TextTools::SearchReplace>(editor->document(), MaxDocumentChars))
{
    connect(bar, &SearchBar::searchRestarts, this, [this] { search_->resetSearchPosition(); });
    connect(bar, &SearchBar::leaveRequested, editor, qOverload<>(&QWidget::setFocus));
    using TextTools::SearchOptions;
    connect(bar, &SearchBar::patternEdited, this, [this](const QString &text, const SearchOptions &options) {
        bar_->showPatternError(TextTools::SearchPattern(text, options).errorText());
    });
    connect(bar, &SearchBar::findNextRequested, this,
            [this](const QString &text, const SearchOptions &options) {
                mark([&] { return search_->findNext(text, options); });
            });
    connect(bar, &SearchBar::markAllRequested, this,
            [this](const QString &text, const SearchOptions &options) {
                mark([&] { return search_->markAll(text, options); });
            });
    connect(bar, &SearchBar::replaceRequested, this,
            [this](const QString &text, const QString &replacement, const SearchOptions &options) {
                edit([&] {
                    const QTextCursor cursor = editor_->textCursor();
                    const TextTools::TextRange selection{cursor.selectionStart(),
                                                         cursor.selectionEnd() - cursor.selectionStart()};
                    return search_->replace(text, replacement, options, selection);
                });
            });
    connect(bar, &SearchBar::replaceAllRequested, this,
            [this](const QString &text, const QString &replacement, const SearchOptions &options) {
                edit([&] { return search_->replaceAll(text, replacement, options); });
            });
}

EditorSearch::~EditorSearch() = default;

void EditorSearch::clearMarks()
{
    search_->clearMarks();
}

void EditorSearch::mark(const std::function<SearchResult()> &search)
{
    // Marking is no edit: the search keeps the modified flag itself.
    const SearchResult result = search();
    selectFound(result);
    if (result.outcome == SearchOutcome::NotFound)
        QApplication::beep();
    done();
}

void EditorSearch::edit(const std::function<SearchResult()> &replace)
{
    const SearchResult result = replace();
    selectFound(result);
    if (result.outcome == SearchOutcome::TooLong)
        emit failed(DocumentLimitText() + QStringLiteral("置換をやめました。"));
    done();
}

void EditorSearch::selectFound(const SearchResult &result)
{
    if (!result.select)
        return;
    QTextCursor cursor = editor_->textCursor();
    cursor.setPosition(int(result.select->start));
    cursor.setPosition(int(result.select->end()), QTextCursor::KeepAnchor);
    editor_->setTextCursor(cursor);
}

void EditorSearch::done()
{
    colours_->setMarks(search_->marks());
    bar_->setReplaceEnabled(search_->canReplace());
    editor_->setFocus();
    // The timer's colouring must not run over the marks just made.
    colours_->forgetChange();
}
