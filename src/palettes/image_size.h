// The pixel size of a JPEG, GIF, BMP or PNG file read from fixed places in its
// first bytes, for the *width* and *height* of an image tag.
#pragma once

#include <QByteArrayView>
#include <QSize>
#include <QString>
#include <optional>

namespace Palettes {

enum class ImageKind { Other, Jpeg, Gif, Bmp, Png };

// The kind by the file name's extension (from its last "."), letters in any case.
ImageKind ImageKindOf(const QString &path);

// Only the first bytes of a file are looked at.
inline constexpr qsizetype ImageHeadBytes = 12288;

// The size read from `head` (the file's first bytes), when both sides lie in 1..5000.
std::optional<QSize> ImageSizeFromHead(ImageKind kind, QByteArrayView head);

struct ImageSize
{
    enum Status {
        Ok,         // `size` holds the size, or 0 x 0 for a file that is not one of the kinds
        CannotOpen, // show "ファイルがオープンできません" first
        Failed,     // unreadable, no frame header, or a size out of range
    };
    Status status = Failed;
    QSize size{0, 0};
};

// GetImageSize: the size of the image file `path`; other extensions succeed without opening the file.
ImageSize GetImageSize(const QString &path);

} // namespace Palettes
