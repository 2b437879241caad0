// Files dropped on the window, or on the editor, open as documents instead
// of being pasted as their paths.
#pragma once

#include <QObject>
#include <QPoint>
#include <QStringList>

class QWidget;

class FileDrops : public QObject
{
    Q_OBJECT

public:
    // Watches `window` and the editor's `viewport` inside it; drops count
    // from the moment the window accepts drops.
    FileDrops(QWidget *window, QWidget *viewport);

signals:
    // Local files dropped at `point` in the window. Sent from the event loop:
    // questions inside the drop event would hold the file manager's drag.
    void dropped(const QStringList &paths, QPoint point);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    QWidget *viewport_;
};
