#include "piece_writer.h"

#include "test_files.h"
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include <gtest/gtest.h>

namespace {

// Fills pieces of random sizes, small ones the device buffers and large ones
// it writes at once, and checks that the file holds them in order.
TEST(PieceWriter, WritesEveryPieceInOrder)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("pieces.bin")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    std::mt19937 rng(7);
    QByteArray expected;
    {
        PieceWriter writer(&file, 40000, 2);
        for (int i = 0; i < 300; ++i) {
            QByteArray piece = writer.takeBuffer();
            ASSERT_EQ(piece.size(), 40000);
            piece.truncate(1 + rng() % 40000);
            piece.fill(char('a' + i % 26));
            expected += piece;
            ASSERT_TRUE(writer.write(std::move(piece)));
        }
        EXPECT_TRUE(writer.finish());
        EXPECT_FALSE(writer.write(writer.takeBuffer())) << "nothing is written after finish()";
    }
    file.close();
    EXPECT_EQ(ReadFileBytes(file.fileName()), expected);
}

TEST(PieceWriter, AFailedWriteIsReportedAndNothingWaitsForever)
{
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        GTEST_SKIP() << "no /dev/full here";
    PieceWriter writer(&full, 64 * 1024, 2);
    bool refused = false;
    // More pieces than buffers: after the failure the buffers must still
    // come back, or takeBuffer would wait forever.
    for (int i = 0; i < 50; ++i) {
        QByteArray piece = writer.takeBuffer();
        refused = !writer.write(std::move(piece)) || refused;
    }
    EXPECT_FALSE(writer.finish());
    EXPECT_TRUE(refused) << "pieces after the failure are refused";
}

TEST(PieceWriter, LeavingWithoutFinishStillWritesWhatWasQueued)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("early.bin")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    {
        PieceWriter writer(&file, 100000);
        QByteArray piece = writer.takeBuffer();
        piece.fill('x');
        writer.write(std::move(piece));
    }
    file.close();
    EXPECT_EQ(ReadFileBytes(file.fileName()), QByteArray(100000, 'x'));
}

} // namespace
