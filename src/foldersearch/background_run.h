// A piece of work on its own thread, stopped on request or when its owner
// goes. What it finds reaches the window through the owner's signals, which
// it emits from its thread: Qt queues them to receivers on the window's.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

namespace FolderSearch {

class BackgroundRun : public QObject
{
    Q_OBJECT

public:
    explicit BackgroundRun(QObject *parent = nullptr) : QObject(parent) {}
    ~BackgroundRun() override;

    bool running() const { return thread_ && thread_->isRunning(); }
    // Asks the work to stop at its next step; returns at once.
    void stop() { stop_ = true; }
    // Each start numbers its run; signals carry the number, so that what an
    // earlier run left queued can be told apart.
    quint64 current() const { return run_; }

protected:
    // Stops and waits for a run still going; what derives from this calls it
    // on its way out, before its signals are gone.
    void halt();
    // Stops and waits for a run still going, then runs `work` on a new thread.
    void launch(std::function<void(const std::atomic_bool &stop, quint64 run)> work);

private:
    std::unique_ptr<QThread> thread_;
    std::atomic_bool stop_ = false;
    quint64 run_ = 0;
};

// Says when enough time has passed to report again: at once the first time,
// then every `intervalMs`.
class Pace
{
public:
    explicit Pace(qint64 intervalMs) : interval_(intervalMs) { timer_.start(); }
    bool due()
    {
        if (first_ || timer_.elapsed() >= interval_) {
            first_ = false;
            timer_.restart();
            return true;
        }
        return false;
    }

private:
    QElapsedTimer timer_;
    qint64 interval_;
    bool first_ = true;
};

} // namespace FolderSearch
