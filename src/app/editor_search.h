// The search bar's requests run on the editor: find, mark all, replace and
// replace all, the found text selected and the marks shown with the colouring.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QPlainTextEdit;
class SearchBar;
class TagColours;
namespace TextTools {
class SearchReplace;
struct SearchResult;
} // namespace TextTools

class EditorSearch : public QObject
{
    Q_OBJECT

public:
    EditorSearch(SearchBar *bar, QPlainTextEdit *editor, TagColours *colours);
    ~EditorSearch() override;

    // Colouring anew takes the marks away.
    void clearMarks();

signals:
    // A replace was refused: the text would pass the limit.
    void failed(const QString &message);

private:
    // Runs a search that only marks, or one that edits, then shows the marks.
    void mark(const std::function<TextTools::SearchResult()> &search);
    void edit(const std::function<TextTools::SearchResult()> &replace);
    void selectFound(const TextTools::SearchResult &result);
    void done();

    SearchBar *bar_;
    QPlainTextEdit *editor_;
    TagColours *colours_;
    std::unique_ptr<TextTools::SearchReplace> search_;
};
