// Puts chosen folders of a FolderModel at the top of a tree (the drives
// of a computer, or one root folder), optionally under one virtual node, and
// shows everything below them as the file-system model has it.
#pragma once

#include <QAbstractProxyModel>
#include <QHash>
#include <QPersistentModelIndex>
#include <vector>

namespace FolderTree {
namespace detail {

class FolderModel;

class FolderRootsModel : public QAbstractProxyModel
{
    Q_OBJECT

public:
    explicit FolderRootsModel(QObject *parent);

    // Shows the folders `rootPaths` of `source` at the top, below a node named `virtualCaption` if given.
    void setRoots(FolderModel *source, const QStringList &rootPaths, const QString &virtualCaption);
    // The file-system model underneath.
    FolderModel *fileSystem() const { return fs_; }
    // Whether `index` is the virtual node above the roots.
    bool isVirtualNode(const QModelIndex &index) const;
    // Whether `index` is a folder (the virtual node counts as one).
    bool isFolder(const QModelIndex &index) const;
    // The file-system path of `index`; empty for the virtual node.
    QString filePath(const QModelIndex &index) const;

    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;

private:
    struct Record
    {
        const void *node;
        QPersistentModelIndex index;
    };

    void connectSource();
    void resolveRoots();
    int rootRow(const QModelIndex &sourceIndex) const;
    bool belowRoot(QModelIndex sourceIndex) const;
    quintptr recordFor(const QModelIndex &sourceParent) const;
    QModelIndex mapParent(const QModelIndex &sourceParent) const;
    bool rootsWithin(const QModelIndex &sourceParent, int first, int last) const;
    void beginLayout();
    void endLayout();

    FolderModel *fs_ = nullptr;
    QStringList rootPaths_;
    QList<QPersistentModelIndex> roots_;
    QString virtualCaption_;
    // Source parents below the roots, one per id from 2 on; 0 is the top level, 1 below the virtual node.
    mutable std::vector<Record> records_;
    mutable QHash<const void *, quintptr> ids_;
    QModelIndexList layoutProxy_;
    QList<QPersistentModelIndex> layoutSource_;
    bool insertOpen_ = false;
    bool removeOpen_ = false;
    bool resetOpen_ = false;
};

} // namespace detail
} // namespace FolderTree
