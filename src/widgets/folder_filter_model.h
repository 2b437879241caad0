// The folder tree's last word on what is listed: a drive mounted inside
// another appears only at the top, never twice. The order is the folder
// model's: sorting here would sort a big folder in one go.
#pragma once

#include <QSet>
#include <QSortFilterProxyModel>

namespace FolderTree {
namespace detail {

class FolderRootsModel;

class FolderFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit FolderFilterModel(QObject *parent);

    // Lists `roots` as they come, leaving out the folders `hiddenPaths` below them.
    void setRoots(FolderRootsModel *roots, const QStringList &hiddenPaths);
    // The roots model underneath.
    FolderRootsModel *roots() const { return roots_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    FolderRootsModel *roots_ = nullptr;
    QSet<QString> hiddenPaths_;
    QSet<QString> hiddenNames_;
};

} // namespace detail
} // namespace FolderTree
