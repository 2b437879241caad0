#include "fd_device.h"

#include <cerrno>
#include <unistd.h>

FdDevice::FdDevice(int fd, QObject *parent) : QIODevice(parent), fd_(fd) {}

qint64 FdDevice::readData(char *, qint64)
{
    return -1;
}

qint64 FdDevice::writeData(const char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            int expected = 0;
            error_.compare_exchange_strong(expected, n < 0 ? errno : ENOSPC);
            return -1;
        }
        done += n;
    }
    written_ += done;
    return done;
}
