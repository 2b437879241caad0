#include "image_size.h"
#include "test_files.h"

#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace Palettes;

// `size` zero bytes with `parts` written at their offsets.
QByteArray Head(qsizetype size, std::initializer_list<std::pair<qsizetype, QByteArray>> parts)
{
    QByteArray head(size, '\0');
    for (const auto &[at, bytes] : parts)
        head.replace(at, bytes.size(), bytes);
    return head;
}

QByteArray Be16(int v)
{
    const char bytes[] = {char(v >> 8), char(v)};
    return QByteArray(bytes, 2);
}

QByteArray Le16(int v)
{
    const char bytes[] = {char(v), char(v >> 8)};
    return QByteArray(bytes, 2);
}

// A baseline frame header (FF C0, length 17, precision 8) of width x height.
QByteArray Sof(int width, int height, char marker = '\xc0')
{
    return QByteArray("\xff") + marker + QByteArray("\x00\x11\x08", 3) + Be16(height) + Be16(width);
}

TEST(ImageSize, KindFromTheLastExtensionInAnyCase)
{
    const struct
    {
        const char *path;
        ImageKind kind;
    } cases[] = {
        {"/a/photo.JPG", ImageKind::Jpeg}, {"x.jpeg", ImageKind::Jpeg},       {"x.Gif", ImageKind::Gif},
        {"x.bmp", ImageKind::Bmp},         {"a.tar.png", ImageKind::Png},     {"x.png.txt", ImageKind::Other},
        {"page.html", ImageKind::Other},   {"/d.png/file", ImageKind::Other}, {"noext", ImageKind::Other}};
    for (const auto &c : cases)
        EXPECT_EQ(ImageKindOf(c.path), c.kind) << c.path;
}

TEST(ImageSize, FixedHeaderPlacesAndLimits)
{
    const QByteArray png = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR";
    const struct
    {
        const char *what;
        ImageKind kind;
        QByteArray head;
        QSize size; // empty: failure
    } cases[] = {
        {"png 640x480", ImageKind::Png, Head(32, {{0, png}, {18, Be16(640)}, {22, Be16(480)}}), {640, 480}},
        {"png 70000 wide",
         ImageKind::Png,
         Head(32, {{16, QByteArray("\0\x01\x11\x70", 4)}, {22, Be16(1)}}),
         {}},
        {"png 66036 wide",
         ImageKind::Png,
         Head(32, {{16, QByteArray("\0\x01\x01\xf4", 4)}, {22, Be16(1)}}),
         {}},
        {"png 66036 high",
         ImageKind::Png,
         Head(32, {{18, Be16(1)}, {20, QByteArray("\0\x01\x01\xf4", 4)}}),
         {}},
        {"png 65536 wide", ImageKind::Png, Head(32, {{16, QByteArray("\0\x01\0\0", 4)}, {22, Be16(1)}}), {}},
        {"png 5000x5000", ImageKind::Png, Head(32, {{18, Be16(5000)}, {22, Be16(5000)}}), {5000, 5000}},
        {"png 5001x10", ImageKind::Png, Head(32, {{18, Be16(5001)}, {22, Be16(10)}}), {}},
        {"png cut short", ImageKind::Png, Head(20, {{18, Be16(10)}}), {}},
        {"gif 100x50", ImageKind::Gif, Head(13, {{0, "GIF89a"}, {6, Le16(100)}, {8, Le16(50)}}), {100, 50}},
        {"bmp 40-byte",
         ImageKind::Bmp,
         Head(54, {{14, Le16(40)}, {18, Le16(300)}, {22, Le16(200)}}),
         {300, 200}},
        {"bmp top-down", ImageKind::Bmp, Head(54, {{14, Le16(40)}, {18, Le16(300)}, {22, Le16(-100)}}), {}},
        {"bmp top-down whole",
         ImageKind::Bmp,
         Head(54, {{14, Le16(40)}, {18, Le16(300)}, {22, QByteArray("\x9c\xff\xff\xff", 4)}}),
         {}},
        {"bmp 66036 wide",
         ImageKind::Bmp,
         Head(54, {{14, Le16(40)}, {18, QByteArray("\xf4\x01\x01\0", 4)}, {22, Le16(1)}}),
         {}},
        {"bmp core", ImageKind::Bmp, Head(26, {{14, Le16(12)}, {18, Le16(64)}, {20, Le16(32)}}), {64, 32}},
        {"empty", ImageKind::Gif, QByteArray(), {}},
        {"jpeg at 200", ImageKind::Jpeg, Head(600, {{0, "\xff\xd8"}, {200, Sof(320, 240)}}), {320, 240}},
        {"jpeg progressive", ImageKind::Jpeg, Head(600, {{300, Sof(64, 48, '\xc2')}}), {64, 48}},
        {"jpeg 11 08 at 1", ImageKind::Jpeg, Head(16, {{1, QByteArray("\x11\x08\0\x05\0\x07", 6)}}), {7, 5}},
        {"jpeg late FF C0",
         ImageKind::Jpeg,
         Head(6000, {{1000, Sof(10, 10)}, {5000, Sof(800, 600)}}),
         {800, 600}},
        {"jpeg early FF C0",
         ImageKind::Jpeg,
         Head(6000, {{300, Sof(10, 10)}, {5000, Sof(800, 600)}}),
         {10, 10}},
        {"jpeg late only",
         ImageKind::Jpeg,
         Head(6000, {{600, Sof(1, 1, '\xc2')}, {5000, Sof(8, 6)}}),
         {8, 6}},
        {"jpeg FF C0 at 2047", ImageKind::Jpeg, Head(2060, {{2047, Sof(7, 9)}}), {7, 9}},
        {"jpeg none in 2K", ImageKind::Jpeg, Head(6000, {{2048, Sof(7, 9)}}), {}},
        {"jpeg past 12288",
         ImageKind::Jpeg,
         Head(13000, {{500, Sof(1, 1, '\xc2')}, {12290, Sof(8, 6)}}),
         {1, 1}},
        {"other", ImageKind::Other, Head(32, {{18, Be16(10)}, {22, Be16(10)}}), {}},
    };
    for (const auto &c : cases) {
        const std::optional<QSize> size = ImageSizeFromHead(c.kind, c.head);
        EXPECT_EQ(size.value_or(QSize()), c.size) << c.what;
        EXPECT_EQ(size.has_value(), !c.size.isEmpty()) << c.what;
    }
}

TEST(ImageSize, FilesWrittenByQt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage image(333, 222, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const struct
    {
        const char *name;
        const char *format;
        bool progressive;
    } files[] = {
        {"a.png", "png", false}, {"a.BMP", "bmp", false}, {"a.jpg", "jpeg", false}, {"b.jpeg", "jpeg", true}};
    for (const auto &f : files) {
        const QString path = dir.path() + '/' + f.name;
        QImageWriter writer(path, f.format);
        writer.setProgressiveScanWrite(f.progressive);
        // Qt always writes PNG and BMP; JPEG comes from a plugin that may be missing (GIF headers are
        // written by hand above).
        if (!writer.canWrite()) {
            if (QByteArray(f.format) != "jpeg")
                ADD_FAILURE() << "no " << f.format << " writer";
            continue;
        }
        ASSERT_TRUE(writer.write(image)) << f.name;
        const ImageSize size = GetImageSize(path);
        EXPECT_EQ(size.status, ImageSize::Ok) << f.name;
        EXPECT_EQ(size.size, QSize(333, 222)) << f.name;
    }
}

TEST(ImageSize, FilesThatAreNotReadOrNotImages)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    WriteFileBytes(dir.path() + "/text.gif", "plain text, not a picture");
    const struct
    {
        const char *name;
        ImageSize::Status status;
    } cases[] = {{"page.html", ImageSize::Ok},
                 {"missing.png", ImageSize::CannotOpen},
                 {"folder.png", ImageSize::Failed},
                 {"text.gif", ImageSize::Failed}};
    for (const auto &c : cases) {
        const ImageSize size = GetImageSize(dir.path() + '/' + c.name);
        EXPECT_EQ(size.status, c.status) << c.name;
        EXPECT_EQ(size.size, QSize(0, 0)) << c.name;
    }
}

} // namespace
