#include "fd_device.h"

#include "fd_write.h"

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
