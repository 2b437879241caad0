#include "file_read.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString SpecialFileKind(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("名前付きパイプ (FIFO)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("デバイス");
    if (S_ISSOCK(mode))
        return QStringLiteral("ソケット");
    return QStringLiteral("特殊なファイル");
}

FileRead ReadRegularFile(const QString &path, qint64 maxBytes)
{
    // Non-blocking so that a FIFO without a writer does not hold the window.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        FileRead result;
        result.error = errno;
        return result;
    }
    FileRead result = ReadRegularFile(fd, maxBytes);
    ::close(fd);
    return result;
}

FileRead ReadRegularFile(int fd, qint64 maxBytes)
{
    FileRead result;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        result.error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.status = FileRead::NotRegular;
        result.kind = SpecialFileKind(st.st_mode);
        return result;
    }
    result.identity = FileIdentity::OfStat(st);
    if (st.st_size > maxBytes) {
        result.status = FileRead::TooLarge;
        return result;
    }
    // The size may change while reading: read to the end, one byte past the
    // limit at most.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have > maxBytes)
                break;
            bytes.resize(std::min<qint64>(maxBytes + 1, std::max<qint64>(have * 2, 65536)));
        }
        const ssize_t n = ::read(fd, bytes.data() + have, size_t(bytes.size() - have));
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0) {
            result.error = errno;
            return result;
        }
        if (n == 0)
            break;
        have += n;
    }
    if (have > maxBytes) {
        result.status = FileRead::TooLarge;
        return result;
    }
    bytes.truncate(have);
    result.bytes = std::move(bytes);
    result.status = FileRead::Ok;
    return result;
}
