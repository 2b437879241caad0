#include "folder_tree_view.h"

#include "folder_filter_model.h"
#include "folder_model.h"
#include "folder_places.h"
#include "folder_roots_model.h"
#include "shell_open.h"

#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QMouseEvent>

namespace {

const QString Caption = QStringLiteral(" QUMOEDIT folder tree");

// A mask entry is an extension with its dot; a missing dot is forgiven.
QString MaskExtension(const QString &entry)
{
    return entry.startsWith(QLatin1Char('.')) ? entry : QLatin1Char('.') + entry;
}

// Entries are compared literally; QDirIterator reads wildcards.
QString MaskPattern(const QString &entry)
{
    QString pattern = QStringLiteral("*");
    for (const QChar c : MaskExtension(entry))
        pattern += (c == u'*' || c == u'?' || c == u'[') ? QStringLiteral("[%1]").arg(c) : QString(c);
    return pattern;
}

bool Within(const QString &path, const QString &root)
{
    return path == root || root == QDir::rootPath() || path.startsWith(root + QLatin1Char('/'));
}

} // namespace

TFolderTreeViewEx::TFolderTreeViewEx(QWidget *parent)
    : QTreeView(parent), opener_([](const QUrl &url) { return OpenUrl(url); })
{
    dialogs_.message = [this](const QString &text) {
        QMessageBox(QMessageBox::Information, Caption, text, QMessageBox::Ok, this).exec();
    };
    dialogs_.ask = [this](const QString &question) {
        return QMessageBox::question(this, Caption, question) == QMessageBox::Yes;
    };
    dialogs_.askName = [this](const QString &title, const QString &initial) {
        bool ok = false;
        const QString name =
            QInputDialog::getText(this, title, QStringLiteral("名前:"), QLineEdit::Normal, initial, &ok);
        return ok ? name : QString();
    };
    setAccessibleName(QStringLiteral("フォルダ ツリー"));
    resize(153, 185);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setAutoExpandDelay(1500);
    setAutoScrollMargin(11);
    setDropIndicatorShown(false);
    setDragAndDrop(true);
    rebuild();
}

TFolderTreeViewEx::~TFolderTreeViewEx() = default;

void TFolderTreeViewEx::setDragAndDrop(bool value)
{
    dragAndDrop_ = value;
    setDragEnabled(value);
    setAcceptDrops(value);
    viewport()->setAcceptDrops(value);
}

void TFolderTreeViewEx::setFileMask(const QStringList &value)
{
    fileMask_ = value;
    rebuild();
}

void TFolderTreeViewEx::setSelectedDir(TSelectedDir value)
{
    if (selectedDir_ == value)
        return;
    selectedDir_ = value;
    if (rootFolder_ == rfDrives)
        rebuild();
}

void TFolderTreeViewEx::setShowRootFolder(bool value)
{
    // A virtual root has no folder to list at the top; a manual root with files keeps its node.
    if (!value && (isVirtualRoot() || (rootFolder_ == rfManual && showFile_)))
        return;
    setAndRebuild(showRootFolder_, value);
}

void TFolderTreeViewEx::setRootFolder(TRootFolder value)
{
    if (rootFolder_ == value)
        return;
    rootFolder_ = value;
    if (isVirtualRoot())
        showRootFolder_ = true;
    rebuild();
}

void TFolderTreeViewEx::setRootFolderName(const QString &value)
{
    if (rootFolderName_ == value)
        return;
    rootFolderName_ = value;
    if (rootFolder_ == rfManual)
        rebuild();
}

void TFolderTreeViewEx::setAndRebuild(bool &field, bool value)
{
    if (field == value)
        return;
    field = value;
    rebuild();
}

bool TFolderTreeViewEx::isVirtualRoot() const
{
    return FolderPlaces::IsVirtual(rootFolder_);
}

QString TFolderTreeViewEx::rootPath() const
{
    if (rootFolder_ != rfManual)
        return rootFolder_ == rfDrives ? QString() : FolderPlaces::RootPath(rootFolder_, QString());
    if (rootFolderName_.isEmpty() || !QFileInfo(rootFolderName_).isDir())
        return QString();
    const QString root = QDir(rootFolderName_).absolutePath();
    if (showRootFolder_)
        return root;
    // Without its own node, a root with nothing to list would leave the tree blank.
    QDir::Filters filters = QDir::Dirs | QDir::NoDotAndDotDot;
    QStringList patterns;
    if (showFile_) {
        filters |= QDir::Files;
        for (const QString &extension : fileMask_)
            patterns.append(MaskPattern(extension));
    }
    if (showIncludeHidden_)
        filters |= QDir::Hidden | QDir::System;
    QDirIterator it(root, patterns, filters);
    return it.hasNext() ? root : QString();
}

QStringList TFolderTreeViewEx::RootPaths() const
{
    QStringList paths;
    for (int row = 0; roots_ && row < roots_->rowCount(); ++row) {
        const QModelIndex top = roots_->index(row, 0);
        if (roots_->isVirtualNode(top))
            for (int drive = 0; drive < roots_->rowCount(top); ++drive)
                paths.append(roots_->filePath(roots_->index(drive, 0, top)));
        else
            paths.append(roots_->filePath(top));
    }
    return paths;
}

void TFolderTreeViewEx::rebuild()
{
    setUpdatesEnabled(false);
    const QString root = rootPath();
    const bool drives = root.isEmpty();
    const QStringList tops = drives ? FolderPlaces::Drives() : QStringList{root};

    FolderTree::detail::FolderListingOptions options;
    options.filters = QDir::AllDirs | QDir::NoDotAndDotDot;
    if (showFile_)
        options.filters |= QDir::Files;
    if (showIncludeHidden_ || isVirtualRoot())
        options.filters |= QDir::Hidden | QDir::System;
    for (const QString &extension : std::as_const(fileMask_))
        options.extensions.append(MaskExtension(extension));
    options.filesFirst = infoViewSort_ && showFile_;
    auto *fs = new FolderTree::detail::FolderModel(options, this);

    auto *roots = new FolderTree::detail::FolderRootsModel(this);
    roots->setRoots(fs, tops, drives && showRootFolder_ ? QStringLiteral("コンピュータ") : QString());
    auto *filter = new FolderTree::detail::FolderFilterModel(this);
    filter->setRoots(roots, drives ? tops.mid(1) : QStringList());

    setModel(filter);
    delete filter_;
    delete roots_;
    delete fs_;
    fs_ = fs;
    roots_ = roots;
    filter_ = filter;
    dropTarget_ = QPersistentModelIndex();
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { emit OnChange(this, currentName()); });
    // Folders fill in the background: rows arriving above a node selected
    // by SetSelected push it out of sight, so it is brought back.
    connect(fs, &FolderTree::detail::FolderModel::directoryLoaded, this, [this](const QString &folder) {
        if (!scrollTarget_.isEmpty() && Within(scrollTarget_, folder) && currentIndex().isValid())
            scrollTo(currentIndex(), EnsureVisible);
    });

    const QModelIndex top = filter->index(0, 0);
    if (!showRootFolder_ && !drives) {
        setRootIndex(top);
        if (filter->canFetchMore(top))
            filter->fetchMore(top);
    } else if (showRootFolder_) {
        expand(top);
    }
    if (drives && rootFolder_ == rfDrives && selectedDir_ != sdNone) {
        QModelIndex drive;
        if (SetSelectedFolder(FolderPlaces::SelectedDrive(selectedDir_), false, &drive, true))
            expand(drive);
    }
    setUpdatesEnabled(true);
}

bool TFolderTreeViewEx::pathShown(const QString &path, const QString &root) const
{
    if (path == root)
        return true;
    const QStringList parts = path.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString at = root == QDir::rootPath() ? QString() : root;
    for (const QString &part : parts) {
        at += QLatin1Char('/') + part;
        if (!showIncludeHidden_ && QFileInfo(at).isHidden())
            return false;
    }
    const QFileInfo item(path);
    if (item.isDir())
        return true;
    if (!showFile_)
        return false;
    if (fileMask_.isEmpty())
        return true;
    const qsizetype dot = item.fileName().lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : item.fileName().mid(dot);
    for (const QString &entry : fileMask_)
        if (QString::compare(MaskExtension(entry), extension, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool TFolderTreeViewEx::SetSelectedFolder(const QString &path, bool makeTop, QModelIndex *node, bool select)
{
    if (isVirtualRoot() || path.isEmpty())
        return false;
    const QString target = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!QFileInfo::exists(target))
        return false;
    QString root;
    for (const QString &top : RootPaths())
        if (Within(target, top) && top.size() > root.size())
            root = top;
    if (root.isEmpty() || !pathShown(target, root))
        return false;
    const QModelIndex found = filter_->mapFromSource(roots_->mapFromSource(fs_->index(target)));
    if (!found.isValid() || found == rootIndex())
        return false;
    for (QModelIndex above = found.parent(); above.isValid(); above = above.parent())
        expand(above);
    if (select) {
        setCurrentIndex(found);
        scrollTarget_ = target;
    }
    scrollTo(found, makeTop ? PositionAtTop : EnsureVisible);
    if (node)
        *node = found;
    return true;
}

bool TFolderTreeViewEx::SetSelected(const QString &path)
{
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    setUpdatesEnabled(false);
    QModelIndex node;
    const bool found = SetSelectedFolder(path, false, &node, true);
    setUpdatesEnabled(true);
    QGuiApplication::restoreOverrideCursor();
    return found;
}

bool TFolderTreeViewEx::GetPathFromNode(const QModelIndex &node, QString &path) const
{
    if (!filter_ || node.model() != filter_)
        return false;
    path = roots_->filePath(filter_->mapToSource(node));
    return !path.isEmpty();
}

QString TFolderTreeViewEx::nameOf(const QModelIndex &node) const
{
    QString path;
    return GetPathFromNode(node, path) ? path : node.siblingAtColumn(0).data().toString();
}

QString TFolderTreeViewEx::currentName()
{
    if (currentIndex().isValid())
        lastName_ = nameOf(currentIndex());
    return lastName_;
}

bool TFolderTreeViewEx::isFolderNode(const QModelIndex &node) const
{
    return node.isValid() && roots_->isFolder(filter_->mapToSource(node));
}

void TFolderTreeViewEx::message(const QString &text) const
{
    if (!text.isEmpty() && dialogs_.message)
        dialogs_.message(text);
}

void TFolderTreeViewEx::showResult(const QString &path)
{
    QModelIndex node;
    if (autoUpDate_)
        SetSelectedFolder(path, false, &node, true);
}

void TFolderTreeViewEx::mouseReleaseEvent(QMouseEvent *event)
{
    // Only a click on a node reports one: empty space must not re-send the last file.
    const QModelIndex node = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && node.isValid()) {
        lastName_ = nameOf(node);
        emit OnClick(this, lastName_);
    }
    QTreeView::mouseReleaseEvent(event);
}

void TFolderTreeViewEx::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex node = indexAt(event->position().toPoint());
    QTreeView::mouseDoubleClickEvent(event);
    if (!node.isValid() || event->button() != Qt::LeftButton)
        return;
    lastName_ = nameOf(node);
    emit OnDblClick(this, lastName_);
    if (shellRun_ && showFile_ && !isFolderNode(node))
        openWithDefault(lastName_);
}

void TFolderTreeViewEx::openWithDefault(const QString &path)
{
    if (!opener_(QUrl::fromLocalFile(path)))
        message(QStringLiteral("「%1」を開くアプリケーションを起動できませんでした。").arg(path));
}
