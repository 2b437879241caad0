// Makes a file or folder unwritable for the duration of a test. A plain chmod
// does not stop root, so the immutable attribute is set as well where the
// file system and the process allow it.
#pragma once

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

class ReadOnlyGuard
{
public:
    explicit ReadOnlyGuard(QString path) : path_(std::move(path))
    {
        permissions_ = QFile::permissions(path_);
        QFile::setPermissions(path_, permissions_ & ~(QFileDevice::WriteOwner | QFileDevice::WriteGroup |
                                                      QFileDevice::WriteOther | QFileDevice::WriteUser));
        setImmutable(true);
    }
    ~ReadOnlyGuard()
    {
        setImmutable(false);
        QFile::setPermissions(path_, permissions_);
    }
    ReadOnlyGuard(const ReadOnlyGuard &) = delete;
    ReadOnlyGuard &operator=(const ReadOnlyGuard &) = delete;

    // Whether writing really is refused (tests skip when it is not).
    bool effective() const
    {
        if (QFileInfo(path_).isDir()) {
            QFile probe(path_ + "/.probe");
            if (!probe.open(QIODevice::WriteOnly))
                return true;
            probe.remove();
            return false;
        }
        QFile probe(path_);
        return !probe.open(QIODevice::Append);
    }

private:
    void setImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return;
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        ::close(fd);
    }

    QString path_;
    QFileDevice::Permissions permissions_;
};
