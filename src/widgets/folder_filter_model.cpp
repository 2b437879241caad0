#include "folder_filter_model.h"
#include "folder_model.h"
#include "folder_roots_model.h"

#include <QFileInfo>

namespace FolderTree {
namespace detail {

FolderFilterModel::FolderFilterModel(QObject *parent) : QSortFilterProxyModel(parent) {}

void FolderFilterModel::setRoots(FolderRootsModel *roots, const QStringList &hiddenPaths)
{
    roots_ = roots;
    hiddenPaths_ = QSet<QString>(hiddenPaths.begin(), hiddenPaths.end());
    hiddenNames_.clear();
    for (const QString &path : hiddenPaths)
        hiddenNames_.insert(QFileInfo(path).fileName());
    setSourceModel(roots);
}

bool FolderFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    // The drives themselves sit at the top or below the computer's node.
    if (hiddenNames_.isEmpty() || !sourceParent.isValid() || roots_->isVirtualNode(sourceParent))
        return true;
    // The name is at hand; the whole path is built only for a likely match.
    const QModelIndex item = roots_->index(sourceRow, 0, sourceParent);
    if (!hiddenNames_.contains(item.data(FolderModel::FileNameRole).toString()))
        return true;
    return !hiddenPaths_.contains(roots_->filePath(item));
}

} // namespace detail
} // namespace FolderTree
