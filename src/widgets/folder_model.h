// The file-system tree under the folder tree view. A folder is read on a
// worker thread when first expanded and again whenever it changes on disk;
// its rows are then added in sorted slices over several turns of the event
// loop, so that a folder of tens of thousands of files never freezes the
// window while it fills.
#pragma once

#include "folder_listing.h"

#include <QAbstractItemModel>
#include <QFileIconProvider>
#include <QFileSystemWatcher>
#include <QHash>
#include <QIcon>
#include <QTimer>
#include <memory>

class QThread;

namespace FolderTree {
namespace detail {

class FolderModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    // The roles QFileSystemModel answers with the same numbers.
    enum Roles { FilePathRole = Qt::UserRole + 1, FileNameRole = Qt::UserRole + 2 };

    FolderModel(const FolderListingOptions &options, QObject *parent);
    ~FolderModel() override;

    // The node of an existing `path`, made on the spot when its folder was not read yet.
    QModelIndex index(const QString &path);
    QString filePath(const QModelIndex &index) const;
    bool isDir(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

signals:
    // Every row of `path` from its latest reading is in.
    void directoryLoaded(const QString &path);

private:
    struct Node;

    Node *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(const Node *node) const;
    // Where `entry` goes among `folder`'s children, and whether it is already there.
    size_t position(const Node *folder, const FolderEntry &entry) const;
    bool holds(const Node *folder, size_t at, const FolderEntry &entry) const;
    int rowOf(const Node *node) const;
    QString pathOf(const Node *node) const;
    Node *find(const QString &path) const;
    Node *childStub(Node *parent, const QString &name, bool folder);
    void read(Node *folder);
    void apply(const QString &path, std::optional<std::vector<FolderEntry>> entries);
    // Makes the pending entries from `next` to `end` children at row `at`.
    void insertPending(Node *folder, size_t at, size_t end);
    void removeRows(Node *folder, int first, int last);
    void unwatch(const Node *node);
    void fillSome();

    FolderListingOptions options_;
    QCollator collator_;
    std::unique_ptr<Node> root_;
    QFileSystemWatcher watcher_;
    QTimer filler_;
    std::vector<Node *> filling_; // folders with rows still to add
    quint64 clock_ = 0;           // counts nodes made for paths asked for
    QThread *thread_ = nullptr;
    QObject *worker_ = nullptr; // lives on thread_: what readings run on
    std::atomic<bool> stopping_ = false;
    QFileIconProvider icons_;
    mutable QHash<QString, QIcon> fileIcons_; // by extension
};

} // namespace detail
} // namespace FolderTree
