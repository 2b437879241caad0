#include "folder_search_results.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPoint>

FolderSearchResults::FolderSearchResults(QObject *parent) : QAbstractTableModel(parent) {}

void FolderSearchResults::clear(const QString &folder)
{
    beginResetModel();
    folder_ = folder;
    files_.clear();
    shownPaths_.clear();
    rows_.clear();
    endResetModel();
}

void FolderSearchResults::append(const QList<FolderSearch::FileMatches> &files)
{
    qsizetype added = 0;
    for (const FolderSearch::FileMatches &file : files)
        added += file.matches.size();
    if (added > 0)
        beginInsertRows({}, int(rows_.size()), int(rows_.size() + added - 1));
    const QDir folder(folder_);
    for (const FolderSearch::FileMatches &file : files) {
        const int f = int(files_.size());
        files_.append(file);
        shownPaths_.append(folder.relativeFilePath(file.path));
        for (int m = 0; m < file.matches.size(); ++m)
            rows_.push_back({f, m});
    }
    if (added > 0)
        endInsertRows();
}

FolderSearchResults::Match FolderSearchResults::match(int row) const
{
    if (row < 0 || row >= int(rows_.size()))
        return {};
    const FolderSearch::FileMatches &file = files_[rows_[row].file];
    const FolderSearch::LineMatch &m = file.matches[rows_[row].match];
    return {file.path, m.line, m.offset, m.length};
}

int FolderSearchResults::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int FolderSearchResults::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FolderSearchResults::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const Row row = rows_[index.row()];
    const FolderSearch::LineMatch &m = files_[row.file].matches[row.match];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case File:
            return role == Qt::ToolTipRole ? files_[row.file].path : shownPaths_[row.file];
        case Line:
            return qlonglong(m.line + 1);
        case Column:
            return qlonglong(m.column);
        case Text:
            return m.excerpt;
        }
    }
    if (role == MarkRole && index.column() == Text)
        return QPoint(int(m.markFrom), int(m.markLength));
    if (role == Qt::TextAlignmentRole && (index.column() == Line || index.column() == Column))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant FolderSearchResults::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char16_t *const names[] = {u"ファイル", u"行", u"桁", u"内容"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf16(names[section]) : QVariant();
}

void MarkedTextDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const QPoint mark = index.data(FolderSearchResults::MarkRole).toPoint();
    if (mark.y() <= 0)
        return QStyledItemDelegate::paint(painter, option, index);
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    QStyle *style = item.widget != nullptr ? item.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    // The text before the match, the match, the text after it.
    const QRect area =
        style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget).adjusted(2, 0, -2, 0);
    const QStringView all(text);
    const QStringView parts[] = {all.first(mark.x()), all.sliced(mark.x(), mark.y()),
                                 all.sliced(mark.x() + mark.y())};
    const bool selected = item.state & QStyle::State_Selected;
    const QPalette &palette = item.palette;
    painter->save();
    painter->setClipRect(area);
    int x = area.left();
    for (int part = 0; part < 3; ++part) {
        const QString piece = parts[part].toString();
        const int width = item.fontMetrics.horizontalAdvance(piece);
        const QRect box(x, area.top(), width, area.height());
        if (part == 1) {
            // The editor's red for a found match, on a pale ground so that it stands out.
            if (!selected)
                painter->fillRect(box, QColor(255, 232, 232));
            painter->setPen(selected ? palette.color(QPalette::HighlightedText) : QColor(208, 0, 0));
        } else {
            painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        }
        painter->drawText(box, Qt::AlignVCenter | Qt::TextSingleLine, piece);
        x += width;
        if (x > area.right())
            break;
    }
    painter->restore();
}
