#include "background_run.h"

namespace FolderSearch {

BackgroundRun::~BackgroundRun()
{
    halt();
}

void BackgroundRun::halt()
{
    stop();
    if (thread_)
        thread_->wait();
}

void BackgroundRun::launch(std::function<void(const std::atomic_bool &stop, quint64 run)> work)
{
    halt();
    stop_ = false;
    const quint64 run = ++run_;
    thread_.reset(QThread::create([this, work = std::move(work), run] { work(stop_, run); }));
    thread_->start();
}

} // namespace FolderSearch
