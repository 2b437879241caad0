// The folder search's results list: one row per match, with the file
// relative to the folder, the line, the column and the line's text with the
// match marked.
#pragma once

#include "search_run.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <vector>

class FolderSearchResults : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { File, Line, Column, Text, ColumnCount };
    // The match of a row, for opening it.
    struct Match
    {
        QString path;
        qsizetype line = 0, offset = 0, length = 0;
    };
    // Where the marked part of the text column is (Qt::UserRole): a QPoint (from, length).
    static constexpr int MarkRole = Qt::UserRole;

    explicit FolderSearchResults(QObject *parent = nullptr);

    void clear(const QString &folder);
    void append(const QList<FolderSearch::FileMatches> &files);
    const QList<FolderSearch::FileMatches> &files() const { return files_; }
    Match match(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row
    {
        int file;
        int match;
    };
    QString folder_;
    QList<FolderSearch::FileMatches> files_;
    QStringList shownPaths_; // relative to the folder, one a file
    std::vector<Row> rows_;
};

// Paints the text column with its match marked as a selection is.
class MarkedTextDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
