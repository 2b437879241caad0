// The folder tree's last word on what is listed and in which order: a drive
// mounted inside another appears only at the top, never twice; with files
// first, non-folders come before folders, each kind in the file system's order.
#pragma once

#include <QSet>
#include <QSortFilterProxyModel>

namespace detail {

class FolderRootsModel;

class FolderFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit FolderFilterModel(QObject *parent);

    // Lists `roots` as they come, leaving out the folders `hiddenPaths` below them.
    void setRoots(FolderRootsModel *roots, const QStringList &hiddenPaths);
    // Non-folders before folders (on), or the file system's order (off).
    void setFilesFirst(bool on);
    // The roots model underneath.
    FolderRootsModel *roots() const { return roots_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    FolderRootsModel *roots_ = nullptr;
    QSet<QString> hiddenPaths_;
    QSet<QString> hiddenNames_;
};

} // namespace detail
