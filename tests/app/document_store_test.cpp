#include "cp932.h"
#include "document_codec.h"
#include "document_store.h"
#include "read_only_guard.h"

#include "test_files.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

TEST(DocumentRead, ShiftJisCrLfFileComesBackByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("文書 one.txt"));
    const QByteArray original =
        Cp932::Encode(QStringLiteral("一行目　全角空白\nｶﾀｶﾅ\t①②Ⅲ㈱～\n\n最後の行")) + "\r\n";
    WriteFileBytes(path, original);
    const DocumentRead read = ReadDocument(path, false);
    ASSERT_TRUE(read.ok);
    QString error;
    ASSERT_TRUE(WriteDocument(path, DocumentBytesFromText(read.text, false, {}), &error));
    EXPECT_EQ(ReadFileBytes(path), original);
}

TEST(DocumentRead, FailuresNameThePath)
{
    QTemporaryDir dir;
    const DocumentRead folder = ReadDocument(dir.path(), false);
    EXPECT_FALSE(folder.ok);
    EXPECT_EQ(folder.error, QStringLiteral("ファイル %1 は開けません").arg(dir.path()));
    const QString missing = dir.filePath(QStringLiteral("gone.txt"));
    EXPECT_EQ(ReadDocument(missing, true).error, QStringLiteral("ファイル %1 は開けません").arg(missing));
    // The kernel refuses to read this one even for root.
    const DocumentRead unreadable = ReadDocument(QStringLiteral("/proc/self/mem"), false);
    EXPECT_FALSE(unreadable.ok);
    EXPECT_TRUE(unreadable.text.isEmpty());
}

TEST(DocumentRead, TooLargeIsRefusedWithoutReading)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(MaxDocumentChars * 2 + 1)); // sparse: no disk used
    file.close();
    const DocumentRead read = ReadDocument(path, false);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.error.contains(QStringLiteral("134217728"))) << read.error.toStdString();
}

TEST(DocumentRead, BinaryFileRoundTrips)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.bin"));
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(static_cast<char>((i * 7919) & 0xFF));
    binary.replace('\r', 'x'); // line ends are the one thing the editor normalises
    // Lead bytes of the pairs code page 932 holds twice come back in their
    // Windows form (see the codec's tests), so they are left out here.
    for (const char lead : {'\x87', '\xED', '\xEE', '\xFA'})
        binary.replace(lead, 'x');
    WriteFileBytes(path, binary);
    const DocumentRead read = ReadDocument(path, false);
    ASSERT_TRUE(read.ok);
    const QByteArray again = DocumentBytesFromText(read.text, false, {});
    // Lone LFs come back as CR LF; every other byte is kept.
    EXPECT_EQ(again, QByteArray(binary).replace('\n', "\r\n"));
}

TEST(DocumentWrite, ReadOnlyFolderKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.txt"));
    WriteFileBytes(path, "previous");
    ReadOnlyGuard readOnly(dir.path());
    if (!readOnly.effective())
        GTEST_SKIP() << "no way to make a folder read-only here";
    QString error;
    EXPECT_FALSE(WriteDocument(path, "new text", &error));
    EXPECT_EQ(error, QStringLiteral("ファイル %1 を作成できません").arg(path));
    EXPECT_EQ(ReadFileBytes(path), "previous");
}

TEST(DocumentWrite, MissingFolderFails)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/a.txt"));
    QString error;
    EXPECT_FALSE(WriteDocument(path, "x", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(DocumentWrite, WriteCutOffMidwayLeavesTheTargetWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    const QByteArray previous(3000, 'p');
    WriteFileBytes(path, previous);

    // Files may not grow past 4096 bytes: the write stops part way.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    QString error;
    const bool written = WriteDocument(path, QByteArray(100000, 'n'), &error);
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFileBytes(path), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no temporary file is left";
}

} // namespace
