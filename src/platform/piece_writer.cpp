#include "piece_writer.h"

#include "fd_device.h"

#include <QFileDevice>

#if defined(__linux__)
#include <fcntl.h>
#endif

namespace {

// Asks the system to start putting [from, to) of the file on the disk without
// waiting, so that the sync at the end of a save has little left to wait for.
void StartWriteback(QIODevice *device, qint64 from, qint64 to)
{
#if defined(__linux__)
    int fd = -1;
    if (const auto *file = qobject_cast<QFileDevice *>(device))
        fd = file->handle();
    else if (const auto *raw = qobject_cast<FdDevice *>(device))
        fd = raw->handle();
    if (fd >= 0)
        sync_file_range(fd, from, to - from, SYNC_FILE_RANGE_WRITE);
#else
    Q_UNUSED(device);
    Q_UNUSED(from);
    Q_UNUSED(to);
#endif
}

// Large enough that the disk sees few requests.
constexpr qint64 WritebackStep = 2 * 1024 * 1024;

} // namespace

PieceWriter::PieceWriter(QIODevice *device, qsizetype pieceCapacity, int depth)
    : device_(device), capacity_(pieceCapacity), depth_(depth), thread_([this] { run(); })
{
}

PieceWriter::~PieceWriter()
{
    finish();
}

QByteArray PieceWriter::takeBuffer()
{
    std::unique_lock lock(mutex_);
    if (free_.empty() && buffers_ < depth_ + 1) {
        ++buffers_;
        lock.unlock();
        return QByteArray(capacity_, Qt::Uninitialized);
    }
    changed_.wait(lock, [this] { return !free_.empty(); });
    QByteArray buffer = std::move(free_.back());
    free_.pop_back();
    lock.unlock();
    buffer.resize(capacity_);
    return buffer;
}

bool PieceWriter::write(QByteArray piece)
{
    std::unique_lock lock(mutex_);
    if (failed_ || closing_) {
        free_.push_back(std::move(piece));
        return false;
    }
    queued_.push_back(std::move(piece));
    changed_.notify_all();
    return true;
}

bool PieceWriter::finish()
{
    std::unique_lock lock(mutex_);
    if (thread_.joinable()) {
        closing_ = true;
        changed_.notify_all();
        lock.unlock();
        thread_.join();
        lock.lock();
    }
    return !failed_;
}

void PieceWriter::run()
{
    qint64 written = 0;
    qint64 handedOver = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queued_.empty() || closing_; });
        if (queued_.empty())
            return;
        QByteArray piece = std::move(queued_.front());
        queued_.pop_front();
        const bool skip = failed_;
        lock.unlock();
        const bool ok = skip || device_->write(piece) == piece.size();
        written += piece.size();
        if (ok && written - handedOver >= WritebackStep) {
            StartWriteback(device_, handedOver, written);
            handedOver = written;
        }
        lock.lock();
        failed_ = failed_ || !ok;
        free_.push_back(std::move(piece));
        changed_.notify_all();
    }
}
