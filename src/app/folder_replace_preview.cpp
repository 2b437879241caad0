#include "folder_replace_preview.h"

#include "folder_search_text.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Lines shown at most; the rest are counted.
constexpr qsizetype MaxShownLines = 20000;

// A line break inside a before or after, shown on one row.
QString OneRow(const QString &text)
{
    QString row = text;
    return row.replace(u'\n', QChar(0x21B5)).replace(u'\t', u' ');
}

} // namespace

FolderReplacePreview::FolderReplacePreview(const QString &folder, QWidget *parent)
    : QDialog(parent), folder_(folder)
{
    setObjectName(QStringLiteral("FolderReplacePreview"));
    setWindowTitle(QStringLiteral("フォルダ内置換の確認"));
    summary_ = new QLabel(QStringLiteral("変更を調べています…"), this);
    summary_->setObjectName(QStringLiteral("PreviewSummary"));
    summary_->setWordWrap(true);
    auto *caption = new QLabel(QStringLiteral("変更される行(&L):"), this);
    lines_ = new QTreeWidget(this);
    lines_->setObjectName(QStringLiteral("PreviewLines"));
    lines_->setColumnCount(3);
    lines_->setHeaderLabels(
        {QStringLiteral("ファイル / 行"), QStringLiteral("置換前"), QStringLiteral("置換後")});
    lines_->setUniformRowHeights(true);
    lines_->header()->resizeSection(0, 280);
    lines_->header()->resizeSection(1, 300);
    caption->setBuddy(lines_);
    auto *buttons = new QDialogButtonBox(this);
    execute_ = buttons->addButton(QStringLiteral("実行(&X)"), QDialogButtonBox::AcceptRole);
    execute_->setObjectName(QStringLiteral("PreviewExecute"));
    execute_->setEnabled(false);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(caption);
    layout->addWidget(lines_, 1);
    layout->addWidget(buttons);
    resize(860, 520);
}

QString FolderReplacePreview::shown(const QString &path) const
{
    return QDir(folder_).relativeFilePath(path);
}

void FolderReplacePreview::add(const QList<FolderSearch::FileOutcome> &files)
{
    for (const FolderSearch::FileOutcome &file : files)
        addFile(file, {});
}

void FolderReplacePreview::addWindowDocument(const FolderSearch::FileOutcome &file)
{
    windowCount_ = file.count;
    addFile(file, QStringLiteral(" ― 開いている文書"));
}

void FolderReplacePreview::addFile(const FolderSearch::FileOutcome &file, const QString &note)
{
    auto *item = new QTreeWidgetItem(
        lines_, {QStringLiteral("%1 (%2 か所)%3").arg(shown(file.path), Counted(file.count), note)});
    item->setToolTip(0, file.path);
    item->setExpanded(true);
    for (const FolderSearch::ChangedLines &change : file.changes) {
        if (shownLines_++ >= MaxShownLines)
            break;
        auto *line = new QTreeWidgetItem(item, {QStringLiteral("%1行").arg(change.firstLine + 1),
                                                OneRow(change.before), OneRow(change.after)});
        line->setToolTip(1, change.before);
        line->setToolTip(2, change.after);
    }
}

void FolderReplacePreview::setProgress(qsizetype files, qsizetype total)
{
    summary_->setText(QStringLiteral("変更を調べています… %1").arg(FilesProgress(files, total)));
}

void FolderReplacePreview::finish(const FolderSearch::ReplaceSummary &summary)
{
    const qsizetype files = summary.files + (windowCount_ > 0 ? 1 : 0);
    QString text =
        files == 0 ? QStringLiteral("置換するところはありません。")
                   : QStringLiteral("%1 ファイルの %2 か所を置換します。置換の前の内容はごみ箱に入れます。")
                         .arg(Counted(files), Counted(summary.count + windowCount_));
    if (windowCount_ > 0)
        text += QStringLiteral("\n開いている文書は画面の中で置換します (保存はしません)。");
    if (shownLines_ > MaxShownLines)
        text += QStringLiteral("（行は初めの %1 行だけ示します）").arg(Counted(MaxShownLines));
    if (!summary.failed.isEmpty()) {
        text += QStringLiteral("\n%1 ファイルは置換しません。").arg(Counted(summary.failed.size()));
        passedOver_ = new QTreeWidgetItem(lines_, {QStringLiteral("置換しないファイル")});
        for (const FolderSearch::FileOutcome &file : summary.failed)
            new QTreeWidgetItem(passedOver_, {shown(file.path), file.outcome.message});
        passedOver_->setExpanded(true);
    }
    summary_->setText(text);
    execute_->setEnabled(files > 0 && !summary.stopped);
}
