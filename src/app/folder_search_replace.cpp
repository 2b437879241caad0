#include "folder_search_dialog.h"

#include "folder_replace_preview.h"
#include "folder_search_editor.h"
#include "folder_search_results.h"
#include "folder_search_text.h"
#include "stored_text.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

// The replace over the files a search found: what will change first, then,
// once agreed, the writing; the window's own document is changed in its editor.

void FolderSearchDialog::connectReplace()
{
    connect(replaceRun_, &FolderSearch::ReplaceRun::done, this,
            [this](quint64 run, const QList<FolderSearch::FileOutcome> &files) {
                if (run == replaceRun_->current() && preview_ != nullptr && !writing_)
                    preview_->add(files);
            });
    connect(replaceRun_, &FolderSearch::ReplaceRun::progressed, this,
            [this](quint64 run, qsizetype files, qsizetype total) {
                if (run != replaceRun_->current())
                    return;
                if (writing_)
                    progress_->setText(QStringLiteral("置換中… ") + FilesProgress(files, total));
                else if (preview_ != nullptr)
                    preview_->setProgress(files, total);
            });
    connect(replaceRun_, &FolderSearch::ReplaceRun::finished, this,
            [this](quint64 run, const FolderSearch::ReplaceSummary &summary) {
                if (run != replaceRun_->current())
                    return;
                if (writing_)
                    replaced(summary);
                else if (preview_ != nullptr)
                    preview_->finish(summary);
            });
}

std::optional<FolderSearch::FileOutcome> FolderSearchDialog::heldPreview() const
{
    for (const FolderSearch::FileMatches &file : results_->files()) {
        if (!file.held)
            continue;
        // As the window holds it now.
        const TextTools::SearchPattern pattern =
            TextTools::SearchPattern::forReplacing(searched_->text, searched_->options);
        FolderSearch::ReplacePlan plan = FolderSearch::PlanReplace(
            TextTools::StoredText(*host_.editor->document()), {}, pattern, replacement_->text());
        if (plan.changes.empty())
            return std::nullopt;
        FolderSearch::FileOutcome outcome{file.path, {}, std::move(plan.changes), plan.count};
        for (FolderSearch::ChangedLines &change : outcome.changes)
            FolderSearch::ShortenForShowing(change, 400);
        return outcome;
    }
    return std::nullopt;
}

void FolderSearchDialog::replace()
{
    if (!searched_ || searchRun_->running() || replaceRun_->running())
        return;
    FolderSearch::ReplaceRequest request;
    request.text = searched_->text;
    request.options = searched_->options;
    request.codes = searched_->codes;
    request.replacement = replacement_->text();
    for (const FolderSearch::FileMatches &file : results_->files()) {
        if (!file.held)
            request.files.append({file.path, file.identity});
    }
    const std::optional<FolderSearch::FileOutcome> held = heldPreview();
    heldInPreview_ = held.has_value();
    replacing_ = request;
    replacingFolder_ = searched_->folder;

    writing_ = false;
    preview_ = new FolderReplacePreview(searched_->folder, this);
    preview_->setAttribute(Qt::WA_DeleteOnClose);
    if (held)
        preview_->addWindowDocument(*held);
    replaceRun_->start(request);
    connect(preview_, &QDialog::finished, this, [this](int result) {
        preview_ = nullptr;
        if (result != QDialog::Accepted) {
            replaceRun_->stop();
            return;
        }
        writing_ = true;
        setRunning(true);
        replace_->setEnabled(false);
        FolderSearch::ReplaceRequest write = replacing_;
        write.write = true;
        replaceRun_->start(write);
    });
    preview_->open();
}

void FolderSearchDialog::replaced(const FolderSearch::ReplaceSummary &summary)
{
    writing_ = false;
    setRunning(false);
    QString text = QStringLiteral("%1 ファイルの %2 か所を置換しました。置換の前の内容はごみ箱にあります。")
                       .arg(Counted(summary.files), Counted(summary.count));
    if (heldInPreview_) {
        const TextTools::SearchOutcome outcome = FolderSearchEditor::ReplaceAll(
            host_.editor, replacing_.text, replacing_.replacement, replacing_.options);
        text +=
            outcome == TextTools::SearchOutcome::Done
                ? QStringLiteral(
                      "\n開いている文書は画面の中で置換しました (元に戻すで戻せます。まだ保存していません)。")
                : QStringLiteral("\n開いている文書は置換できませんでした: 文書の上限を超えます。");
    }
    if (summary.stopped)
        text += QStringLiteral("\n途中で中止しました。");
    if (!summary.failed.isEmpty()) {
        text += QStringLiteral("\n\n置換しなかったファイル:");
        const QDir folder(replacingFolder_);
        for (const FolderSearch::FileOutcome &file : summary.failed)
            text += QStringLiteral("\n%1: %2").arg(folder.relativeFilePath(file.path), file.outcome.message);
    }
    progress_->setText(QStringLiteral("置換しました。結果を見直すには、もう一度検索してください。"));
    // The files are not what was searched any more.
    searched_.reset();
    QMessageBox::information(this, QStringLiteral("フォルダ内置換"), text);
}
