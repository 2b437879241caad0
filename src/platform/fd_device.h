// A write-only device over a file descriptor that keeps the system's reason
// for a failed write.
#pragma once

#include <QIODevice>
#include <atomic>

class FdDevice : public QIODevice
{
    Q_OBJECT

public:
    // The descriptor stays the caller's to close.
    explicit FdDevice(int fd, QObject *parent = nullptr);

    int handle() const { return fd_; }
    // The errno of the first failed write, 0 when none failed.
    int systemError() const { return error_; }
    // Bytes written since the device was opened.
    qint64 written() const { return written_; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    int fd_;
    std::atomic<int> error_{0};
    std::atomic<qint64> written_{0};
};
