// フォルダ内検索 and フォルダ内置換: a window beside the main one that searches
// the pages of a folder, lists each match as it is found, opens one in the
// editor, and replaces over the files after showing what will change.
#pragma once

#include "document_codec.h"
#include "replace_run.h"
#include "search_run.h"

#include <QDialog>
#include <functional>
#include <optional>

class FolderReplacePreview;
class FolderSearchResults;
class QCheckBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPlainTextEdit;
class QPushButton;
class QTreeView;

// What the search needs of the window it belongs to.
struct FolderSearchHost
{
    QPlainTextEdit *editor = nullptr; // the window's document
    // The file the window's document holds; empty while it holds none.
    std::function<QString()> documentFile;
    // Where a search starts: the folder pane's folder, else the document's.
    std::function<QString()> startFolder;
    // How the window reads documents.
    std::function<DocumentCodeOptions()> codes;
    // Makes `path` the window's document after the save question (nothing
    // when it already is); false when it did not.
    std::function<bool(const QString &path)> open;
};

class FolderSearchDialog : public QDialog
{
    Q_OBJECT

public:
    FolderSearchDialog(FolderSearchHost host, QWidget *parent);
    ~FolderSearchDialog() override;

    // Shows the dialog for the host's folder of the moment, the editor's
    // one-line selection as the search text, the focus in that field.
    void showForWindow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    TextTools::SearchOptions options() const;
    bool checkPattern();
    void showError(const QString &text);
    void search();
    void stop();
    void setRunning(bool running);
    void found(quint64 run, const QList<FolderSearch::FileMatches> &files);
    void progressed(quint64 run, const FolderSearch::SearchProgress &progress);
    void searched(quint64 run, const FolderSearch::SearchSummary &summary);
    void showCount();
    void openRow(const QModelIndex &index, bool newWindow);
    void connectReplace();
    void replace();
    std::optional<FolderSearch::FileOutcome> heldPreview() const;
    void replaced(const FolderSearch::ReplaceSummary &summary);
    void forgetSearch();

    FolderSearchHost host_;
    FolderSearch::SearchRun *searchRun_;
    FolderSearch::ReplaceRun *replaceRun_;
    FolderSearchResults *results_;
    std::optional<FolderSearch::SearchRequest> searched_; // the search the results are of, while still true
    qsizetype matches_ = 0;
    FolderReplacePreview *preview_ = nullptr;
    FolderSearch::ReplaceRequest replacing_; // and its search's folder
    QString replacingFolder_;
    bool writing_ = false;
    bool heldInPreview_ = false;
    bool firstShow_ = true;

    QLineEdit *text_, *replacement_, *folder_, *files_;
    QCheckBox *subfolders_, *expression_, *matchCase_, *width_, *kana_;
    QLabel *error_, *progress_, *count_;
    QPushButton *start_, *replace_, *stop_;
    QTreeView *view_;
    QPlainTextEdit *skipped_;
    QLabel *skippedCaption_;
};
