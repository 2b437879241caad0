#include "folder_model.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMimeData>
#include <QThread>
#include <QUrl>
#include <algorithm>

namespace FolderTree {
namespace detail {

namespace {
// Rows added per turn of the event loop, and the time a turn may take: the
// view lays the new rows out between turns.
constexpr size_t RowsPerTurn = 2000;
constexpr qint64 MsPerTurn = 20;
} // namespace

struct FolderModel::Node
{
    Node(FolderEntry entry, Node *parent) : entry(std::move(entry)), parent(parent) {}

    FolderEntry entry;
    Node *parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
    // The latest reading's entries not yet among the children, in order, from `next` on.
    std::vector<FolderEntry> pending;
    size_t next = 0;
    bool requested = false; // read at least once
    bool reading = false;   // a reading is on the worker
    bool changed = false;   // changed on disk during that reading
    bool watched = false;
    // When a node was made for a path asked for, and when the folder's latest reading began:
    // a reading older than a node knows nothing of it.
    quint64 made = 0;
    quint64 readSince = 0;
    mutable QIcon icon;
};

FolderModel::FolderModel(const FolderListingOptions &options, QObject *parent)
    : QAbstractItemModel(parent), options_(options), collator_(FolderCollator()),
      root_(std::make_unique<Node>(MakeFolderEntry(collator_, QString(), true), nullptr)),
      thread_(new QThread(this)), worker_(new QObject)
{
    thread_->setObjectName(QStringLiteral("folder reader"));
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_->start();
    filler_.setInterval(0);
    connect(&filler_, &QTimer::timeout, this, &FolderModel::fillSome);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this](const QString &path) {
        if (Node *folder = find(path); folder && folder->requested)
            read(folder);
    });
}

FolderModel::~FolderModel()
{
    stopping_ = true;
    thread_->quit();
    thread_->wait();
}

FolderModel::Node *FolderModel::nodeOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<Node *>(index.internalPointer()) : root_.get();
}

size_t FolderModel::position(const Node *folder, const FolderEntry &entry) const
{
    const FolderOrder order{options_.filesFirst};
    const auto &children = folder->children;
    return size_t(
        std::lower_bound(children.begin(), children.end(), entry,
                         [&](const auto &child, const FolderEntry &e) { return order(child->entry, e); }) -
        children.begin());
}

bool FolderModel::holds(const Node *folder, size_t at, const FolderEntry &entry) const
{
    // Names are unique within a folder, so an entry not before the child at its position is that child.
    return at < folder->children.size() &&
           !FolderOrder{options_.filesFirst}(entry, folder->children[at]->entry);
}

int FolderModel::rowOf(const Node *node) const
{
    // Siblings stay sorted, so a node's row is found by its entry.
    const size_t at = position(node->parent, node->entry);
    Q_ASSERT(holds(node->parent, at, node->entry) && node->parent->children[at].get() == node);
    return int(at);
}

QModelIndex FolderModel::indexOf(const Node *node) const
{
    if (!node || node == root_.get())
        return {};
    return createIndex(rowOf(node), 0, const_cast<Node *>(node));
}

QString FolderModel::pathOf(const Node *node) const
{
    QStringList names;
    for (; node && node != root_.get(); node = node->parent)
        names.prepend(node->entry.name);
    if (names.isEmpty())
        return {};
    QString path = names.takeFirst(); // the file system's root, "/"
    for (const QString &name : std::as_const(names)) {
        if (!path.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
        path += name;
    }
    return path;
}

FolderModel::Node *FolderModel::find(const QString &path) const
{
    if (!path.startsWith(QLatin1Char('/')))
        return nullptr;
    Node *node = root_.get();
    QStringList names = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    names.prepend(QStringLiteral("/"));
    for (const QString &name : std::as_const(names)) {
        const QCollatorSortKey key = collator_.sortKey(name);
        Node *child = nullptr;
        for (const bool folder : {true, false}) {
            const FolderEntry probe{name, folder, key};
            if (const size_t at = position(node, probe); holds(node, at, probe))
                child = node->children[at].get();
        }
        if (!child)
            return nullptr;
        node = child;
    }
    return node;
}

FolderModel::Node *FolderModel::childStub(Node *parent, const QString &name, bool folder)
{
    FolderEntry entry = MakeFolderEntry(collator_, name, folder);
    const size_t at = position(parent, entry);
    if (holds(parent, at, entry))
        return parent->children[at].get();
    auto &children = parent->children;
    const int row = int(at);
    beginInsertRows(indexOf(parent), row, row);
    auto node = std::make_unique<Node>(std::move(entry), parent);
    node->made = ++clock_;
    Node *made = node.get();
    children.insert(children.begin() + row, std::move(node));
    endInsertRows();
    return made;
}

QModelIndex FolderModel::index(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    Node *node = childStub(root_.get(), QStringLiteral("/"), true);
    QString at;
    for (const QString &name : clean.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        at += QLatin1Char('/') + name;
        node = childStub(node, name, QFileInfo(at).isDir());
    }
    return indexOf(node);
}

QString FolderModel::filePath(const QModelIndex &index) const
{
    return index.isValid() ? pathOf(nodeOf(index)) : QString();
}

bool FolderModel::isDir(const QModelIndex &index) const
{
    return index.isValid() && nodeOf(index)->entry.folder;
}

void FolderModel::read(Node *folder)
{
    folder->requested = true;
    if (folder->reading) {
        folder->changed = true;
        return;
    }
    folder->reading = true;
    folder->readSince = clock_;
    const QString path = pathOf(folder);
    if (!folder->watched)
        folder->watched = watcher_.addPath(path);
    QMetaObject::invokeMethod(
        worker_,
        [this, path, options = options_] {
            auto entries = std::make_shared<std::optional<std::vector<FolderEntry>>>(
                ListFolder(path, options, stopping_));
            if (!stopping_)
                QMetaObject::invokeMethod(
                    this, [this, path, entries] { apply(path, std::move(*entries)); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void FolderModel::apply(const QString &path, std::optional<std::vector<FolderEntry>> entries)
{
    Node *folder = find(path);
    if (!folder)
        return;
    folder->reading = false;
    if (!entries) {
        // The folder itself is gone.
        if (folder->parent != root_.get()) {
            const int row = rowOf(folder);
            removeRows(folder->parent, row, row);
        }
        return;
    }
    // Both lists are in the same order: one pass finds what left and what came.
    const FolderOrder order{options_.filesFirst};
    const auto &children = folder->children;
    std::vector<FolderEntry> &listed = *entries;
    std::vector<FolderEntry> added;
    std::vector<int> gone;
    size_t i = 0;
    size_t j = 0;
    while (i < children.size() || j < listed.size()) {
        if (j == listed.size() || (i < children.size() && order(children[i]->entry, listed[j]))) {
            if (children[i]->made <= folder->readSince)
                gone.push_back(int(i));
            ++i;
        } else if (i == children.size() || order(listed[j], children[i]->entry))
            added.push_back(std::move(listed[j++]));
        else
            ++i, ++j;
    }
    for (size_t k = gone.size(); k > 0;) {
        const int last = gone[--k];
        int first = last;
        while (k > 0 && gone[k - 1] == first - 1)
            first = gone[--k];
        removeRows(folder, first, last);
    }
    folder->pending = std::move(added);
    folder->next = 0;
    if (std::find(filling_.begin(), filling_.end(), folder) == filling_.end())
        filling_.push_back(folder);
    filler_.start();
    if (std::exchange(folder->changed, false))
        read(folder);
}

void FolderModel::fillSome()
{
    const FolderOrder order{options_.filesFirst};
    QElapsedTimer clock;
    clock.start();
    size_t budget = RowsPerTurn;
    while (!filling_.empty() && budget > 0 && clock.elapsed() < MsPerTurn) {
        Node *folder = filling_.front();
        auto &pending = folder->pending;
        auto &children = folder->children;
        if (folder->next < pending.size()) {
            const FolderEntry &first = pending[folder->next];
            const size_t at = position(folder, first);
            if (holds(folder, at, first)) {
                ++folder->next; // already there, made for a path asked for
                continue;
            }
            // The entries that all belong before the same child go in as one run.
            const size_t limit = std::min(pending.size(), folder->next + budget);
            size_t end = folder->next + 1;
            while (end < limit && (at == children.size() || order(pending[end], children[at]->entry)))
                ++end;
            insertPending(folder, at, end);
            budget -= end - std::exchange(folder->next, end);
        }
        if (folder->next < pending.size())
            continue;
        pending.clear();
        filling_.erase(filling_.begin());
        if (!folder->reading)
            emit directoryLoaded(pathOf(folder));
    }
    if (filling_.empty())
        filler_.stop();
}

void FolderModel::insertPending(Node *folder, size_t at, size_t end)
{
    std::vector<std::unique_ptr<Node>> run;
    run.reserve(end - folder->next);
    for (size_t k = folder->next; k < end; ++k)
        run.push_back(std::make_unique<Node>(std::move(folder->pending[k]), folder));
    beginInsertRows(indexOf(folder), int(at), int(at + run.size()) - 1);
    folder->children.insert(folder->children.begin() + qsizetype(at), std::make_move_iterator(run.begin()),
                            std::make_move_iterator(run.end()));
    endInsertRows();
}

void FolderModel::removeRows(Node *folder, int first, int last)
{
    beginRemoveRows(indexOf(folder), first, last);
    for (int row = first; row <= last; ++row)
        unwatch(folder->children[row].get());
    folder->children.erase(folder->children.begin() + first, folder->children.begin() + last + 1);
    endRemoveRows();
}

void FolderModel::unwatch(const Node *node)
{
    if (node->watched)
        watcher_.removePath(pathOf(node));
    filling_.erase(std::remove(filling_.begin(), filling_.end(), node), filling_.end());
    for (const auto &child : node->children)
        unwatch(child.get());
}

QModelIndex FolderModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    return createIndex(row, column, nodeOf(parent)->children[row].get());
}

QModelIndex FolderModel::parent(const QModelIndex &child) const
{
    return child.isValid() ? indexOf(nodeOf(child)->parent) : QModelIndex();
}

int FolderModel::rowCount(const QModelIndex &parent) const
{
    return parent.column() > 0 ? 0 : int(nodeOf(parent)->children.size());
}

int FolderModel::columnCount(const QModelIndex &) const
{
    return 1;
}

bool FolderModel::hasChildren(const QModelIndex &parent) const
{
    // A folder not read yet may hold anything: it offers to expand.
    return parent.isValid() ? parent.column() == 0 && isDir(parent) : !root_->children.empty();
}

bool FolderModel::canFetchMore(const QModelIndex &parent) const
{
    return isDir(parent) && !nodeOf(parent)->requested;
}

void FolderModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        read(nodeOf(parent));
}

QVariant FolderModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Node *node = nodeOf(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case FileNameRole:
        return node->entry.name;
    case FilePathRole:
        return pathOf(node);
    case Qt::DecorationRole: {
        if (!node->icon.isNull())
            return node->icon;
        // Files share their extension's icon: no file-type lookup per file while scrolling, and the
        // path is built only the first time an extension is seen.
        const QString &name = node->entry.name;
        const qsizetype dot = name.lastIndexOf(u'.');
        const QString extension = dot > 0 ? name.mid(dot + 1).toLower() : QString();
        if (node->entry.folder || extension.isEmpty())
            return node->icon = icons_.icon(QFileInfo(pathOf(node)));
        auto cached = fileIcons_.find(extension);
        if (cached == fileIcons_.end())
            cached = fileIcons_.insert(extension, icons_.icon(QFileInfo(pathOf(node))));
        return node->icon = cached.value();
    }
    default:
        return {};
    }
}

Qt::ItemFlags FolderModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return {};
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (!isDir(index))
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QStringList FolderModel::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

QMimeData *FolderModel::mimeData(const QModelIndexList &indexes) const
{
    QList<QUrl> urls;
    for (const QModelIndex &index : indexes)
        if (index.isValid() && index.column() == 0)
            urls.append(QUrl::fromLocalFile(filePath(index)));
    auto *mime = new QMimeData;
    mime->setUrls(urls);
    return mime;
}

Qt::DropActions FolderModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

} // namespace detail
} // namespace FolderTree
