// A tree of folders, and optionally files, below a chosen root: the folder
// pane's browser. Filled lazily by a folder model that reads folders on a
// worker thread and watches the folders shown, so changes on disk appear
// without timed refreshes. Reports
// the path of a clicked node, selects the node of a path, runs files on
// double click, and offers its own context menu and single-file drops.
#pragma once

#include "folder_tree_types.h"

#include <QPersistentModelIndex>
#include <QTreeView>
#include <QUrl>
#include <functional>

class QMenu;

namespace FolderTree::detail {
class FolderModel;
class FolderRootsModel;
class FolderFilterModel;
} // namespace FolderTree::detail

class TFolderTreeViewEx : public QTreeView
{
    Q_OBJECT
    Q_PROPERTY(bool AutoUpDate READ AutoUpDate WRITE setAutoUpDate)
    Q_PROPERTY(bool ContextMenu READ ContextMenu WRITE setContextMenu)
    Q_PROPERTY(bool DragAndDrop READ DragAndDrop WRITE setDragAndDrop)
    Q_PROPERTY(QStringList FileMask READ FileMask WRITE setFileMask)
    Q_PROPERTY(bool InfoViewSort READ InfoViewSort WRITE setInfoViewSort)
    Q_PROPERTY(FolderTree::TSelectedDir SelectedDir READ SelectedDir WRITE setSelectedDir)
    Q_PROPERTY(bool ShellRun READ ShellRun WRITE setShellRun)
    Q_PROPERTY(bool ShowFile READ ShowFile WRITE setShowFile)
    Q_PROPERTY(bool ShowRootFolder READ ShowRootFolder WRITE setShowRootFolder)
    Q_PROPERTY(bool ShowIncludeHidden READ ShowIncludeHidden WRITE setShowIncludeHidden)
    Q_PROPERTY(FolderTree::TRootFolder RootFolder READ RootFolder WRITE setRootFolder)
    Q_PROPERTY(QString RootFolderName READ RootFolderName WRITE setRootFolderName)
    Q_PROPERTY(int Indent READ indentation WRITE setIndentation)
    Q_PROPERTY(bool ShowRoot READ rootIsDecorated WRITE setRootIsDecorated)

public:
    // Opens a file with the desktop's default application; false when it could not.
    using Opener = std::function<bool(const QUrl &)>;
    // The tree's questions and messages, replaceable so that tests can answer them.
    struct Dialogs
    {
        std::function<void(const QString &text)> message;
        std::function<bool(const QString &question)> ask;
        // A name typed by the user, or empty for Cancel.
        std::function<QString(const QString &title, const QString &initial)> askName;
    };

    explicit TFolderTreeViewEx(QWidget *parent = nullptr);
    ~TFolderTreeViewEx() override;

    bool AutoUpDate() const { return autoUpDate_; }
    void setAutoUpDate(bool value) { autoUpDate_ = value; }
    bool ContextMenu() const { return contextMenu_; }
    void setContextMenu(bool value) { contextMenu_ = value; }
    bool DragAndDrop() const { return dragAndDrop_; }
    void setDragAndDrop(bool value);
    QStringList FileMask() const { return fileMask_; }
    void setFileMask(const QStringList &value);
    bool InfoViewSort() const { return infoViewSort_; }
    void setInfoViewSort(bool value) { setAndRebuild(infoViewSort_, value); }
    TSelectedDir SelectedDir() const { return selectedDir_; }
    void setSelectedDir(TSelectedDir value);
    bool ShellRun() const { return shellRun_; }
    void setShellRun(bool value) { shellRun_ = value; }
    bool ShowFile() const { return showFile_; }
    void setShowFile(bool value) { setAndRebuild(showFile_, value); }
    bool ShowRootFolder() const { return showRootFolder_; }
    void setShowRootFolder(bool value);
    bool ShowIncludeHidden() const { return showIncludeHidden_; }
    void setShowIncludeHidden(bool value) { setAndRebuild(showIncludeHidden_, value); }
    TRootFolder RootFolder() const { return rootFolder_; }
    void setRootFolder(TRootFolder value);
    QString RootFolderName() const { return rootFolderName_; }
    void setRootFolderName(const QString &value);

    // Selects the node of `path` (a folder or a shown file), expanding the tree down to it.
    bool SetSelected(const QString &path);
    // Finds the node of `path` below the root; optionally scrolls it to the top and selects it.
    bool SetSelectedFolder(const QString &path, bool makeTop, QModelIndex *node, bool select);
    // The file-system path of `node`; false for a node without one.
    bool GetPathFromNode(const QModelIndex &node, QString &path) const;
    // The folders at the top of the tree, or the root folder.
    QStringList RootPaths() const;
    // The node under a drag that a drop would go to; invalid when none.
    QModelIndex DropTarget() const { return dropTarget_; }
    // The context menu of `node`, owned by the tree until closed.
    QMenu *CreateContextMenu(const QModelIndex &node);

    // Replaces QDesktopServices::openUrl for running files.
    void setOpener(Opener opener) { opener_ = std::move(opener); }
    // Replaces the message boxes and input dialogs.
    void setDialogs(Dialogs dialogs) { dialogs_ = std::move(dialogs); }

signals:
    // A node was clicked; FolderName is its path (a virtual node gives its caption).
    void OnClick(QObject *Sender, const QString &FolderName);
    // The selected node changed.
    void OnChange(QObject *Sender, const QString &FolderName);
    // A node was double-clicked.
    void OnDblClick(QObject *Sender, const QString &FolderName);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                 const QModelIndex &index) const override;

private:
    void rebuild();
    void setAndRebuild(bool &field, bool value);
    QString rootPath() const;
    bool pathShown(const QString &path, const QString &root) const;
    QString nameOf(const QModelIndex &node) const;
    QString currentName();
    bool isFolderNode(const QModelIndex &node) const;
    bool isVirtualRoot() const;
    void showResult(const QString &path);
    void message(const QString &text) const;

    // Context menu commands.
    void openNode(const QModelIndex &node);
    void openWithDefault(const QString &path);
    void newFolder(const QModelIndex &node);
    void renameNode(const QModelIndex &node);
    void trashNode(const QModelIndex &node);

    // Drops.
    QString droppedFile(const QMimeData *mime) const;
    void setDropTarget(const QModelIndex &node);
    void dropInto(const QString &file, const QModelIndex &node, bool copy);

    bool autoUpDate_ = true;
    bool contextMenu_ = true;
    bool dragAndDrop_ = true;
    QStringList fileMask_;
    bool infoViewSort_ = false;
    TSelectedDir selectedDir_ = sdNone;
    bool shellRun_ = false;
    bool showFile_ = false;
    bool showRootFolder_ = true;
    bool showIncludeHidden_ = true;
    TRootFolder rootFolder_ = rfDrives;
    QString rootFolderName_;

    FolderTree::detail::FolderModel *fs_ = nullptr;
    QString scrollTarget_; // the path SetSelected chose, kept in sight while folders fill
    FolderTree::detail::FolderRootsModel *roots_ = nullptr;
    FolderTree::detail::FolderFilterModel *filter_ = nullptr;
    QString lastName_;
    QPersistentModelIndex dropTarget_;
    Opener opener_;
    Dialogs dialogs_;
};
