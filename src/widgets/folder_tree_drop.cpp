// Dragging nodes out as files, and taking one dropped file into a folder.
#include "file_transfer.h"
#include "folder_filter_model.h"
#include "folder_roots_model.h"
#include "folder_tree_view.h"

#include <QDragEnterEvent>
#include <QFileInfo>
#include <QMimeData>

namespace {

Qt::DropAction ActionFor(const QDropEvent *event)
{
    return event->modifiers().testFlag(Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
}

} // namespace

void TFolderTreeViewEx::startDrag(Qt::DropActions)
{
    if (dragAndDrop_)
        QTreeView::startDrag(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
}

QString TFolderTreeViewEx::droppedFile(const QMimeData *mime) const
{
    if (!dragAndDrop_ || !mime || !mime->hasUrls())
        return QString();
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString file = urls.first().toLocalFile();
    return QFileInfo::exists(file) || QFileInfo(file).isSymLink() ? file : QString();
}

void TFolderTreeViewEx::setDropTarget(const QModelIndex &node)
{
    if (dropTarget_ == node)
        return;
    dropTarget_ = node;
    viewport()->update();
}

void TFolderTreeViewEx::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedFile(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    setState(DraggingState);
    event->setDropAction(ActionFor(event));
    event->accept();
}

void TFolderTreeViewEx::dragMoveEvent(QDragMoveEvent *event)
{
    // The base scrolls near the edges and opens a node the pointer rests on.
    QTreeView::dragMoveEvent(event);
    const QModelIndex node = indexAt(event->position().toPoint());
    if (droppedFile(event->mimeData()).isEmpty() || !node.isValid()) {
        setDropTarget(QModelIndex());
        event->ignore();
        return;
    }
    setDropTarget(node);
    event->setDropAction(ActionFor(event));
    event->accept();
}

void TFolderTreeViewEx::dragLeaveEvent(QDragLeaveEvent *event)
{
    setDropTarget(QModelIndex());
    QTreeView::dragLeaveEvent(event);
}

void TFolderTreeViewEx::dropEvent(QDropEvent *event)
{
    // Not the base: it hands drops to the model, which takes none; the tree asks first.
    stopAutoScroll();
    setState(NoState);
    setDropTarget(QModelIndex());
    const QString file = droppedFile(event->mimeData());
    const QModelIndex node = indexAt(event->position().toPoint());
    if (file.isEmpty() || !node.isValid()) {
        event->ignore();
        return;
    }
    event->setDropAction(ActionFor(event));
    event->accept();
    dropInto(file, node, event->dropAction() == Qt::CopyAction);
}

void TFolderTreeViewEx::dropInto(const QString &file, const QModelIndex &node, bool copy)
{
    QString folder;
    if (!isFolderNode(node) || !GetPathFromNode(node, folder))
        return message(QStringLiteral("This Folder is SpecialFolder \n   Can not Copy or Paste!"));
    const auto result = FileTransfer::Transfer(
        file, folder, copy ? FileTransfer::Mode::Copy : FileTransfer::Mode::Move,
        [this](const QString &existing) {
            return dialogs_.ask(QStringLiteral("「%1」はすでにあります。置き換えますか?").arg(existing));
        });
    message(result.outcome.message);
    if (result.outcome.done())
        showResult(result.destination);
}

void TFolderTreeViewEx::drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    if (!dropTarget_.isValid() || index.siblingAtColumn(0) != dropTarget_)
        return QTreeView::drawRow(painter, option, index);
    QStyleOptionViewItem lit(option);
    lit.state |= QStyle::State_Selected;
    QTreeView::drawRow(painter, lit, index);
}
