#include "file_drops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

namespace {

QStringList LocalFiles(const QMimeData *mime)
{
    QStringList paths;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

} // namespace

FileDrops::FileDrops(QWidget *window, QWidget *viewport)
    : QObject(window), window_(window), viewport_(viewport)
{
    window->installEventFilter(this);
    viewport->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched != window_ && watched != viewport_) || !window_->acceptDrops())
        return false;
    const bool onWindow = watched == window_;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        // Text dragged within the editor stays the editor's.
        if (onWindow ? !drag->mimeData()->hasUrls() : LocalFiles(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList paths = LocalFiles(drop->mimeData());
        if (!onWindow && paths.isEmpty())
            return false;
        drop->acceptProposedAction();
        const QPoint point =
            onWindow ? drop->position().toPoint() : viewport_->mapTo(window_, drop->position().toPoint());
        QTimer::singleShot(0, this, [this, paths, point] { emit dropped(paths, point); });
        return true;
    }
    default:
        return false;
    }
}
