#include "image_size.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Palettes {

namespace {

constexpr int MaxSide = 5000;
constexpr qsizetype FirstSearchEnd = 2048; // the frame header is looked for in the first 2 KB
constexpr qsizetype LateFrameFrom = 368;   // past this, a later baseline frame is preferred

// A byte of the head; past its end a zero.
int At(QByteArrayView head, qsizetype i)
{
    return i >= 0 && i < head.size() ? quint8(head[i]) : 0;
}

int BigEndian16(QByteArrayView head, qsizetype i)
{
    return At(head, i) << 8 | At(head, i + 1);
}

int LittleEndian16(QByteArrayView head, qsizetype i)
{
    return At(head, i + 1) << 8 | At(head, i);
}

// The whole 32-bit fields: their low halves alone would pass a 70000-pixel side as 4464.
qint64 BigEndian32(QByteArrayView head, qsizetype i)
{
    return qint64(BigEndian16(head, i)) << 16 | BigEndian16(head, i + 2);
}

qint64 LittleEndian32(QByteArrayView head, qsizetype i)
{
    return qint64(LittleEndian16(head, i + 2)) << 16 | LittleEndian16(head, i);
}

// BMP sides are signed: a negative height (a picture stored top row first) is out of range too.
qint64 SignedLittleEndian32(QByteArrayView head, qsizetype i)
{
    return qint32(quint32(LittleEndian32(head, i)));
}

struct Sides
{
    qint64 width = 0, height = 0;
};

// The first offset in [from, to) where the bytes first, second begin; -1 when none.
qsizetype FindPair(QByteArrayView head, qsizetype from, qsizetype to, int first, int second)
{
    for (qsizetype p = from; p < to; ++p) {
        if (At(head, p) == first && At(head, p + 1) == second)
            return p;
    }
    return -1;
}

std::optional<QSize> JpegSize(QByteArrayView head)
{
    qsizetype p = FindPair(head, 0, FirstSearchEnd, 0xFF, 0xC0);
    if (p < 0) {
        // A frame segment of length 17 with precision 8 (progressive and other frames).
        const qsizetype q = FindPair(head, 0, FirstSearchEnd, 0x11, 0x08);
        if (q < 0)
            return std::nullopt;
        p = q - 3;
    }
    if (p > LateFrameFrom) {
        const qsizetype late = FindPair(head, FirstSearchEnd, head.size(), 0xFF, 0xC0);
        if (late >= 0)
            p = late;
    }
    return QSize(BigEndian16(head, p + 7), BigEndian16(head, p + 5));
}

Sides FixedSize(ImageKind kind, QByteArrayView head)
{
    switch (kind) {
    case ImageKind::Gif:
        return {LittleEndian16(head, 6), LittleEndian16(head, 8)};
    case ImageKind::Bmp: // the 12-byte core header has 16-bit sides, the others 32-bit ones
        if (At(head, 14) == 12)
            return {LittleEndian16(head, 18), LittleEndian16(head, 20)};
        return {SignedLittleEndian32(head, 18), SignedLittleEndian32(head, 22)};
    case ImageKind::Png:
        return {BigEndian32(head, 16), BigEndian32(head, 20)};
    default:
        return {};
    }
}

bool InRange(qint64 side)
{
    return side >= 1 && side <= MaxSide;
}

} // namespace

ImageKind ImageKindOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : name.sliced(dot).toLower();
    if (extension == u".jpg" || extension == u".jpeg")
        return ImageKind::Jpeg;
    if (extension == u".gif")
        return ImageKind::Gif;
    if (extension == u".bmp")
        return ImageKind::Bmp;
    if (extension == u".png")
        return ImageKind::Png;
    return ImageKind::Other;
}

std::optional<QSize> ImageSizeFromHead(ImageKind kind, QByteArrayView head)
{
    head = head.first(qMin(head.size(), ImageHeadBytes));
    if (kind == ImageKind::Jpeg) {
        const std::optional<QSize> size = JpegSize(head);
        if (!size || !InRange(size->width()) || !InRange(size->height()))
            return std::nullopt;
        return size;
    }
    const Sides sides = FixedSize(kind, head);
    if (!InRange(sides.width) || !InRange(sides.height))
        return std::nullopt;
    return QSize(int(sides.width), int(sides.height));
}

ImageSize GetImageSize(const QString &path)
{
    const ImageKind kind = ImageKindOf(path);
    if (kind == ImageKind::Other)
        return {ImageSize::Ok, {0, 0}};
    // Non-blocking: a FIFO with an image name must not hold the window.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {ImageSize::CannotOpen, {0, 0}};
    QByteArray head(ImageHeadBytes, Qt::Uninitialized);
    qsizetype have = 0;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    while (ok && have < head.size()) {
        const ssize_t n = ::read(fd, head.data() + have, size_t(head.size() - have));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n >= 0;
        if (n <= 0)
            break;
        have += n;
    }
    ::close(fd);
    if (!ok)
        return {ImageSize::Failed, {0, 0}};
    const std::optional<QSize> size = ImageSizeFromHead(kind, QByteArrayView(head).first(have));
    return size ? ImageSize{ImageSize::Ok, *size} : ImageSize{ImageSize::Failed, {0, 0}};
}

} // namespace Palettes
