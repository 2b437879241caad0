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
    if (!WriteAllBytes(fd_, data, size)) {
        int expected = 0;
        error_.compare_exchange_strong(expected, errno);
        return -1;
    }
    written_ += size;
    return size;
}

bool WriteAllBytes(int fd, const char *data, qint64 size)
{
    for (qint64 done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}
