#include "file_transfer.h"
#include "read_only_guard.h"
#include "test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using FileTransfer::Mode;

namespace {

class Transfer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(here.isValid());
        QDir(here.path()).mkpath(QStringLiteral("from"));
        QDir(here.path()).mkpath(QStringLiteral("to"));
        source = here.filePath(QStringLiteral("from/page.htm"));
        WriteFileBytes(source, "page");
    }

    QStringList leftovers(const QString &folder) const
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir here;
    QString source;
};

dev_t Device(const QString &path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_dev : 0;
}

} // namespace

TEST_F(Transfer, MovesCopiesAndRefusals)
{
    const QString to = here.filePath(QStringLiteral("to"));
    auto result = FileTransfer::Transfer(source, to, Mode::Copy, {});
    EXPECT_TRUE(result.outcome.done());
    EXPECT_EQ(ReadFileBytes(to + "/page.htm"), "page");
    EXPECT_EQ(leftovers(to), QStringList{QStringLiteral("page.htm")}); // no temporary left
    // Copy onto itself, a folder into itself, an existing folder: refused with a reason.
    const QString from = here.filePath(QStringLiteral("from"));
    for (const auto &[item, into] :
         {std::pair{source, from}, std::pair{from, from + "/"}, std::pair{from, here.path()}}) {
        result = FileTransfer::Transfer(item, into, Mode::Copy, {});
        EXPECT_FALSE(result.outcome.done()) << item.toStdString();
        EXPECT_FALSE(result.outcome.message.isEmpty()) << item.toStdString();
    }
    WriteFileBytes(source, "new");
    result = FileTransfer::Transfer(source, to, Mode::Move, [](const QString &) { return false; });
    EXPECT_EQ(result.outcome.kind, Outcome::Declined);
    EXPECT_EQ(ReadFileBytes(source), "new");
    EXPECT_EQ(ReadFileBytes(to + "/page.htm"), "page");
    result = FileTransfer::Transfer(source, to, Mode::Move, [](const QString &) { return true; });
    EXPECT_TRUE(result.outcome.done());
    EXPECT_EQ(ReadFileBytes(to + "/page.htm"), "new");
    EXPECT_FALSE(QFileInfo::exists(source));
    // A folder moves whole.
    WriteFileBytes(from + "/inner.txt", "inner");
    result = FileTransfer::Transfer(from, to, Mode::Move, {});
    EXPECT_TRUE(result.outcome.done());
    EXPECT_EQ(ReadFileBytes(to + "/from/inner.txt"), "inner");
}

TEST_F(Transfer, FailuresLeaveTheSource)
{
    const QString to = here.filePath(QStringLiteral("to"));
    ReadOnlyGuard locked(to);
    if (!locked.effective())
        GTEST_SKIP() << "cannot make a folder read-only here";
    for (const Mode mode : {Mode::Move, Mode::Copy}) {
        const auto result = FileTransfer::Transfer(source, to, mode, {});
        EXPECT_FALSE(result.outcome.done());
        EXPECT_FALSE(result.outcome.message.isEmpty());
        EXPECT_EQ(ReadFileBytes(source), "page");
        EXPECT_TRUE(leftovers(to).isEmpty());
    }
}

TEST_F(Transfer, AcrossDevicesTheSourceGoesOnlyAfterAWholeCopy)
{
    QTemporaryDir other(QStringLiteral("/dev/shm/qumo-transfer-XXXXXX"));
    if (!other.isValid() || Device(other.path()) == Device(here.path()))
        GTEST_SKIP() << "no second device";
    auto result = FileTransfer::Transfer(source, other.path(), Mode::Move, {});
    EXPECT_TRUE(result.outcome.done());
    EXPECT_TRUE(result.outcome.message.isEmpty());
    EXPECT_EQ(ReadFileBytes(other.filePath("page.htm")), "page");
    EXPECT_FALSE(QFileInfo::exists(source));

    // Out of a folder that refuses the delete: the copy lands, the source stays, and the result says why.
    WriteFileBytes(other.filePath("keep.txt"), "keep");
    {
        ReadOnlyGuard locked(other.path());
        if (!locked.effective())
            GTEST_SKIP() << "cannot make a folder read-only here";
        result = FileTransfer::Transfer(other.filePath("keep.txt"), here.path(), Mode::Move, {});
    }
    EXPECT_TRUE(result.outcome.done());
    EXPECT_FALSE(result.outcome.message.isEmpty());
    EXPECT_EQ(ReadFileBytes(here.filePath("keep.txt")), "keep");
    EXPECT_EQ(ReadFileBytes(other.filePath("keep.txt")), "keep");

    // Into a folder that takes nothing: the source stays.
    const QString locked = here.filePath(QStringLiteral("to"));
    ReadOnlyGuard guard(locked);
    result = FileTransfer::Transfer(other.filePath("page.htm"), locked, Mode::Move, {});
    EXPECT_FALSE(result.outcome.done());
    EXPECT_EQ(ReadFileBytes(other.filePath("page.htm")), "page");
    EXPECT_TRUE(leftovers(locked).isEmpty());
}
