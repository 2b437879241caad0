// The search bar wired to the editor: find, mark all, replace, replace all.
#include "document_codec.h"
#include "search_bar.h"
#include "search_replace.h"
#include "tag_colours.h"
#include "tform1.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>

using TextTools::SearchOutcome;
using TextTools::SearchResult;

void TForm1::CreateSearchBar()
{
    search_ = std::make_unique<TextTools::SearchReplace>(RichEdit1->document(), MaxDocumentChars);
    connect(Panel10, &SearchBar::searchRestarts, this, [this] { search_->resetSearchPosition(); });
    connect(Panel10, &SearchBar::optionToggled, this, &TForm1::PlayClickSound);
    connect(Panel10, &SearchBar::leaveRequested, this, [this] { RichEdit1->setFocus(); });
    connect(Panel10, &SearchBar::findNextRequested, this, [this](const QString &text, bool matchCase) {
        Mark([&] { return search_->findNext(text, matchCase); });
    });
    connect(Panel10, &SearchBar::markAllRequested, this, [this](const QString &text, bool matchCase) {
        Mark([&] { return search_->markAll(text, matchCase); });
    });
    connect(Panel10, &SearchBar::replaceRequested, this,
            [this](const QString &text, const QString &replacement, bool matchCase) {
                Edit([&] {
                    const QTextCursor cursor = RichEdit1->textCursor();
                    const TextTools::TextRange selection{cursor.selectionStart(),
                                                         cursor.selectionEnd() - cursor.selectionStart()};
                    return search_->replace(text, replacement, matchCase, selection);
                });
            });
    connect(Panel10, &SearchBar::replaceAllRequested, this,
            [this](const QString &text, const QString &replacement, bool matchCase) {
                Edit([&] { return search_->replaceAll(text, replacement, matchCase); });
            });
}

void TForm1::Mark(const std::function<SearchResult()> &search)
{
    // Marking is no edit.
    const bool modified = RichEdit1->document()->isModified();
    const SearchResult result = search();
    SelectFound(result);
    if (result.outcome == SearchOutcome::NotFound)
        QApplication::beep();
    RichEdit1->document()->setModified(modified);
    SearchDone();
}

void TForm1::Edit(const std::function<SearchResult()> &replace)
{
    const SearchResult result = replace();
    SelectFound(result);
    if (result.outcome == SearchOutcome::TooLong)
        ShowFileError(
            QStringLiteral("編集できる文書は %1 文字までです。置換をやめました。").arg(MaxDocumentChars));
    SearchDone();
}

void TForm1::SelectFound(const SearchResult &result)
{
    if (!result.select)
        return;
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.setPosition(int(result.select->start));
    cursor.setPosition(int(result.select->end()), QTextCursor::KeepAnchor);
    RichEdit1->setTextCursor(cursor);
}

void TForm1::SearchDone()
{
    tagColours_->setMarks(search_->marks());
    Panel10->setReplaceEnabled(search_->canReplace());
    RichEdit1->setFocus();
    // The timer's colouring must not run over the marks just made.
    tagColours_->forgetChange();
}
