// The busy cursor over a wait that could be noticed: it shows only once the
// wait has lasted `after`, so short waits never flicker it.
#pragma once

#include <QApplication>
#include <QTimer>
#include <chrono>

class BusyCursor
{
public:
    explicit BusyCursor(std::chrono::milliseconds after)
    {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            shown_ = true;
        });
        timer_.start(after);
    }
    ~BusyCursor()
    {
        if (shown_)
            QApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    QTimer timer_;
    bool shown_ = false;
};
