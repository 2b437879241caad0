#include "folder_roots_model.h"

#include "folder_model.h"

#include <QFileIconProvider>
#include <QMimeData>

namespace FolderTree {
namespace detail {

namespace {
constexpr quintptr TopLevel = 0;
constexpr quintptr BelowVirtual = 1;
constexpr quintptr FirstRecord = 2;
} // namespace

FolderRootsModel::FolderRootsModel(QObject *parent) : QAbstractProxyModel(parent) {}

void FolderRootsModel::setRoots(FolderModel *source, const QStringList &rootPaths,
                                const QString &virtualCaption)
{
    beginResetModel();
    if (fs_ && fs_ != source)
        disconnect(fs_, nullptr, this, nullptr);
    const bool newSource = fs_ != source;
    fs_ = source;
    rootPaths_ = rootPaths;
    virtualCaption_ = virtualCaption;
    setSourceModel(source);
    if (newSource)
        connectSource();
    resolveRoots();
    endResetModel();
}

void FolderRootsModel::resolveRoots()
{
    roots_.clear();
    records_.clear();
    ids_.clear();
    for (const QString &path : std::as_const(rootPaths_)) {
        const QModelIndex root = fs_->index(path);
        if (root.isValid())
            roots_.append(root);
    }
}

void FolderRootsModel::connectSource()
{
    connect(fs_, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &parent, int first, int last) {
                const QModelIndex mapped = mapParent(parent);
                insertOpen_ = mapped.isValid();
                if (insertOpen_)
                    beginInsertRows(mapped, first, last);
            });
    connect(fs_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (std::exchange(insertOpen_, false))
            endInsertRows();
    });
    connect(fs_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &parent, int first, int last) {
                // Losing a root (an unmounted volume, a deleted root folder) changes the top level.
                if (rootsWithin(parent, first, last)) {
                    resetOpen_ = true;
                    beginResetModel();
                    return;
                }
                const QModelIndex mapped = mapParent(parent);
                removeOpen_ = mapped.isValid();
                if (removeOpen_)
                    beginRemoveRows(mapped, first, last);
            });
    connect(fs_, &QAbstractItemModel::rowsRemoved, this, [this] {
        if (std::exchange(removeOpen_, false))
            endRemoveRows();
        if (std::exchange(resetOpen_, false)) {
            resolveRoots();
            endResetModel();
        }
    });
    connect(fs_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) {
                const QModelIndex from = mapFromSource(topLeft);
                const QModelIndex to = mapFromSource(bottomRight);
                if (from.isValid() && to.isValid() && from.parent() == to.parent()) {
                    emit dataChanged(from, to, roles);
                    return;
                }
                // A range that holds a root: each row where it is shown.
                for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
                    for (int column = topLeft.column(); column <= bottomRight.column(); ++column)
                        if (const QModelIndex one =
                                mapFromSource(topLeft.siblingAtRow(row).siblingAtColumn(column));
                            one.isValid())
                            emit dataChanged(one, one, roles);
            });
    connect(fs_, &QAbstractItemModel::headerDataChanged, this, &QAbstractItemModel::headerDataChanged);
    connect(fs_, &QAbstractItemModel::layoutAboutToBeChanged, this, &FolderRootsModel::beginLayout);
    connect(fs_, &QAbstractItemModel::layoutChanged, this, &FolderRootsModel::endLayout);
    connect(fs_, &QAbstractItemModel::rowsAboutToBeMoved, this, &FolderRootsModel::beginLayout);
    connect(fs_, &QAbstractItemModel::rowsMoved, this, &FolderRootsModel::endLayout);
    connect(fs_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(fs_, &QAbstractItemModel::modelReset, this, [this] {
        resolveRoots();
        endResetModel();
    });
}

void FolderRootsModel::beginLayout()
{
    emit layoutAboutToBeChanged();
    layoutProxy_ = persistentIndexList();
    layoutSource_.clear();
    for (const QModelIndex &proxy : std::as_const(layoutProxy_))
        layoutSource_.append(mapToSource(proxy));
}

void FolderRootsModel::endLayout()
{
    QModelIndexList moved;
    for (qsizetype i = 0; i < layoutProxy_.size(); ++i)
        moved.append(isVirtualNode(layoutProxy_[i]) ? layoutProxy_[i] : mapFromSource(layoutSource_[i]));
    changePersistentIndexList(layoutProxy_, moved);
    layoutProxy_.clear();
    layoutSource_.clear();
    emit layoutChanged();
}

bool FolderRootsModel::rootsWithin(const QModelIndex &sourceParent, int first, int last) const
{
    for (const QPersistentModelIndex &root : roots_)
        for (QModelIndex at = root; at.isValid(); at = at.parent())
            if (at.parent() == sourceParent && at.row() >= first && at.row() <= last)
                return true;
    return false;
}

bool FolderRootsModel::isVirtualNode(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && !virtualCaption_.isEmpty() &&
           index.internalId() == TopLevel;
}

bool FolderRootsModel::isFolder(const QModelIndex &index) const
{
    return isVirtualNode(index) || (index.isValid() && fs_->isDir(mapToSource(index)));
}

QString FolderRootsModel::filePath(const QModelIndex &index) const
{
    const QModelIndex source = mapToSource(index);
    return source.isValid() ? fs_->filePath(source) : QString();
}

int FolderRootsModel::rootRow(const QModelIndex &sourceIndex) const
{
    const QModelIndex first = sourceIndex.siblingAtColumn(0);
    for (int row = 0; row < roots_.size(); ++row)
        if (roots_[row] == first)
            return row;
    return -1;
}

bool FolderRootsModel::belowRoot(QModelIndex sourceIndex) const
{
    for (; sourceIndex.isValid(); sourceIndex = sourceIndex.parent())
        if (rootRow(sourceIndex) >= 0)
            return true;
    return false;
}

quintptr FolderRootsModel::recordFor(const QModelIndex &sourceParent) const
{
    const QModelIndex first = sourceParent.siblingAtColumn(0);
    const void *node = first.internalPointer();
    if (const auto found = ids_.constFind(node); found != ids_.cend()) {
        Record &record = records_[found.value() - FirstRecord];
        // A node freed and a new one at the same address: follow the new one.
        if (record.index != first)
            record.index = first;
        return found.value();
    }
    records_.push_back({node, first});
    const quintptr id = FirstRecord + records_.size() - 1;
    ids_.insert(node, id);
    return id;
}

QModelIndex FolderRootsModel::mapParent(const QModelIndex &sourceParent) const
{
    return sourceParent.isValid() ? mapFromSource(sourceParent.siblingAtColumn(0)) : QModelIndex();
}

QModelIndex FolderRootsModel::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid() || !fs_ || isVirtualNode(proxyIndex))
        return {};
    const quintptr id = proxyIndex.internalId();
    const quintptr rootLevel = virtualCaption_.isEmpty() ? TopLevel : BelowVirtual;
    if (id == rootLevel) {
        if (proxyIndex.row() >= roots_.size())
            return {};
        return QModelIndex(roots_[proxyIndex.row()]).siblingAtColumn(proxyIndex.column());
    }
    if (id < FirstRecord || id - FirstRecord >= records_.size())
        return {};
    return fs_->index(proxyIndex.row(), proxyIndex.column(), records_[id - FirstRecord].index);
}

QModelIndex FolderRootsModel::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid() || !fs_)
        return {};
    if (const int row = rootRow(sourceIndex); row >= 0)
        return createIndex(row, sourceIndex.column(), virtualCaption_.isEmpty() ? TopLevel : BelowVirtual);
    const QModelIndex parent = sourceIndex.parent();
    if (!belowRoot(parent))
        return {};
    return createIndex(sourceIndex.row(), sourceIndex.column(), recordFor(parent));
}

QModelIndex FolderRootsModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, TopLevel);
    if (isVirtualNode(parent))
        return createIndex(row, column, BelowVirtual);
    return createIndex(row, column, recordFor(mapToSource(parent)));
}

QModelIndex FolderRootsModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == TopLevel)
        return {};
    if (child.internalId() == BelowVirtual)
        return createIndex(0, 0, TopLevel);
    if (child.internalId() - FirstRecord >= records_.size())
        return {};
    return mapFromSource(records_[child.internalId() - FirstRecord].index);
}

int FolderRootsModel::rowCount(const QModelIndex &parent) const
{
    if (!fs_)
        return 0;
    if (!parent.isValid())
        return virtualCaption_.isEmpty() ? int(roots_.size()) : 1;
    if (parent.column() > 0)
        return 0;
    if (isVirtualNode(parent))
        return int(roots_.size());
    const QModelIndex source = mapToSource(parent);
    return source.isValid() ? fs_->rowCount(source) : 0;
}

int FolderRootsModel::columnCount(const QModelIndex &) const
{
    return fs_ ? fs_->columnCount() : 0;
}

bool FolderRootsModel::hasChildren(const QModelIndex &parent) const
{
    if (!parent.isValid() || isVirtualNode(parent))
        return rowCount(parent) > 0;
    const QModelIndex source = mapToSource(parent);
    return source.isValid() && fs_->hasChildren(source);
}

bool FolderRootsModel::canFetchMore(const QModelIndex &parent) const
{
    const QModelIndex source = mapToSource(parent);
    return source.isValid() && fs_->canFetchMore(source);
}

void FolderRootsModel::fetchMore(const QModelIndex &parent)
{
    if (const QModelIndex source = mapToSource(parent); source.isValid())
        fs_->fetchMore(source);
}

QVariant FolderRootsModel::data(const QModelIndex &index, int role) const
{
    if (!isVirtualNode(index))
        return QAbstractProxyModel::data(index, role);
    if (index.column() != 0)
        return {};
    if (role == Qt::DisplayRole || role == FolderModel::FileNameRole)
        return virtualCaption_;
    if (role == Qt::DecorationRole)
        return QFileIconProvider().icon(QAbstractFileIconProvider::Computer);
    return {};
}

QVariant FolderRootsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return fs_ ? fs_->headerData(section, orientation, role) : QVariant();
}

Qt::ItemFlags FolderRootsModel::flags(const QModelIndex &index) const
{
    if (isVirtualNode(index))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return QAbstractProxyModel::flags(index);
}

QMimeData *FolderRootsModel::mimeData(const QModelIndexList &indexes) const
{
    QModelIndexList items;
    for (const QModelIndex &index : indexes)
        if (const QModelIndex source = mapToSource(index); source.isValid())
            items.append(source);
    return items.isEmpty() ? nullptr : fs_->mimeData(items);
}

} // namespace detail
} // namespace FolderTree
