// What a folder replace will change, shown before anything is written: the
// files with their counts, each changed line before and after, and the files
// that will be passed over with the reason. 実行 agrees.
#pragma once

#include "replace_run.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class FolderReplacePreview : public QDialog
{
    Q_OBJECT

public:
    FolderReplacePreview(const QString &folder, QWidget *parent);

    void add(const QList<FolderSearch::FileOutcome> &files);
    // The window's own document, changed in its editor rather than on disk.
    void addWindowDocument(const FolderSearch::FileOutcome &file);
    void setProgress(qsizetype files, qsizetype total);
    // The preview is whole: 実行 may be pressed when something changes.
    void finish(const FolderSearch::ReplaceSummary &summary);

private:
    QString shown(const QString &path) const;
    void addFile(const FolderSearch::FileOutcome &file, const QString &note);

    QString folder_;
    QLabel *summary_;
    QTreeWidget *lines_;
    QTreeWidgetItem *passedOver_ = nullptr;
    QPushButton *execute_;
    qsizetype shownLines_ = 0;
    qsizetype windowCount_ = 0; // replacements in the window's document
};
