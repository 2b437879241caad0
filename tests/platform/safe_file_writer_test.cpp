#include "safe_file_writer.h"

#include "read_only_guard.h"
#include "test_files.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using Method = SafeFileWriter::Method;

TEST(SafeFileWriter, MethodKeepsOwnerGroupAndLinks)
{
    const uid_t me = 1000;
    const std::vector<gid_t> myGroups{1000, 50};
    const struct
    {
        SafeFileWriter::Target target;
        uid_t user;
        Method method;
    } cases[] = {
        {{false, 0, 0, 1, true}, me, Method::Replace},     // a new file
        {{true, me, 1000, 1, true}, me, Method::Replace},  // my own file
        {{true, me, 50, 1, true}, me, Method::Replace},    // mine, in a group of mine
        {{true, me, 60, 1, true}, me, Method::InPlace},    // mine, a group I cannot give it
        {{true, 1001, 50, 1, true}, me, Method::InPlace},  // a group member's shared file
        {{true, me, 1000, 2, true}, me, Method::InPlace},  // hard links
        {{true, me, 1000, 1, false}, me, Method::InPlace}, // a folder refusing new files
        {{true, 1001, 60, 1, true}, 0, Method::Replace},   // root can give anything back
        {{true, 1001, 60, 3, true}, 0, Method::InPlace},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SafeFileWriter::chooseMethod(c.target, c.user, myGroups), c.method)
            << c.target.owner << ":" << c.target.group << " links " << c.target.links;
}

bool Write(const QString &path, const QByteArray &bytes, int *error = nullptr)
{
    SafeFileWriter writer(path);
    const bool ok = writer.open() && writer.device()->write(bytes) == bytes.size() && writer.commit();
    if (error != nullptr)
        *error = writer.error();
    return ok;
}

struct stat Stat(const QString &path)
{
    struct stat st
    {
    };
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

int EntriesIn(const QString &dir)
{
    return int(QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System).size());
}

TEST(SafeFileWriter, OwnerGroupAndModeSurviveASave)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shared.html"));
    WriteFileBytes(path, "old");
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 1001, 1002), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(Write(path, "new"));
    const struct stat st = Stat(path);
    EXPECT_EQ(st.st_uid, 1001u);
    EXPECT_EQ(st.st_gid, 1002u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(EntriesIn(dir.path()), 1);
}

TEST(SafeFileWriter, HardLinksStayLinked)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    const QString link = dir.filePath(QStringLiteral("b.txt"));
    WriteFileBytes(path, "a much longer previous content");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(Write(path, "short"));
    EXPECT_EQ(ReadFileBytes(link), "short") << "shorter content truncates the file";
    EXPECT_EQ(Stat(path).st_ino, Stat(link).st_ino);
    EXPECT_EQ(EntriesIn(dir.path()), 2) << "the safety copy is removed";
}

TEST(SafeFileWriter, WritableFileInAReadOnlyFolderIsRewritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.txt"));
    WriteFileBytes(path, "previous");
    ReadOnlyGuard readOnly(dir.path());
    if (!readOnly.effective())
        GTEST_SKIP() << "no way to make a folder read-only here";
    ASSERT_TRUE(Write(path, "new text"));
    EXPECT_EQ(ReadFileBytes(path), "new text");
    EXPECT_EQ(EntriesIn(dir.path()), 1);
    const QString cache =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/qumoedit");
    EXPECT_TRUE(QDir(cache).entryList({QStringLiteral("doc.txt.*")}, QDir::Files).isEmpty())
        << "the safety copy in the cache is removed";
}

// A group member saves a file another member owns, as an ordinary user.
TEST(SafeFileWriter, GroupMemberSavingASharedFileLeavesItTheOwners)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "switching users needs root";
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 01777), 0);
    const QString path = dir.filePath(QStringLiteral("shared.html"));
    WriteFileBytes(path, "old content");
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 1001, 1500), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0664), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const gid_t groups[] = {1500};
        const bool dropped = ::setgroups(1, groups) == 0 && ::setresgid(1000, 1000, 1000) == 0 &&
                             ::setresuid(1000, 1000, 1000) == 0;
        ::_exit(dropped && Write(path, "member's edit") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFileBytes(path), "member's edit");
    EXPECT_EQ(Stat(path).st_uid, 1001u) << "the file stays its owner's";
    EXPECT_EQ(Stat(path).st_gid, 1500u);
}

// The folder would let a new file replace it, but the user may not write
// the file itself: refused, whichever way the save would go.
TEST(SafeFileWriter, AFileTheUserMayNotWriteIsRefused)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "switching users needs root";
    const struct
    {
        uid_t owner;
        gid_t group;
        mode_t mode;
        bool asUser; // written by uid 1000 (groups 1000) rather than root
        bool written;
    } cases[] = {
        {1000, 1000, 0444, true, false}, {1001, 1500, 0664, true, false}, {1000, 1000, 0644, true, true},
        {1001, 1500, 0666, true, true},  {0, 0, 0444, false, false},      {0, 0, 0644, false, true},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 01777), 0);
        const QString path = dir.filePath(QStringLiteral("doc.txt"));
        WriteFileBytes(path, "old");
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), c.owner, c.group), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.mode), 0);
        int error = 0;
        if (!c.asUser) {
            EXPECT_EQ(Write(path, "new", &error), c.written) << c.mode;
        } else {
            const pid_t child = ::fork();
            if (child == 0) {
                const gid_t groups[] = {1000};
                const bool dropped = ::setgroups(1, groups) == 0 && ::setresgid(1000, 1000, 1000) == 0 &&
                                     ::setresuid(1000, 1000, 1000) == 0;
                const bool ok = Write(path, "new", &error);
                ::_exit(!dropped ? 2 : ok ? 0 : error == EACCES ? 1 : 3);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), c.written ? 0 : 1) << c.owner << " " << c.mode;
            error = WEXITSTATUS(status) == 1 ? EACCES : 0;
        }
        EXPECT_EQ(ReadFileBytes(path), c.written ? "new" : "old") << c.owner << " " << c.mode;
        EXPECT_EQ(error, c.written ? 0 : EACCES) << c.owner << " " << c.mode;
        EXPECT_EQ(Stat(path).st_mode & 07777, c.mode);
        EXPECT_EQ(EntriesIn(dir.path()), 1) << "no file left behind";
    }
}

TEST(SafeFileWriter, FailuresGiveTheSystemsReason)
{
    QTemporaryDir dir;
    int error = 0;
    EXPECT_FALSE(Write(dir.filePath(QStringLiteral("missing/a.txt")), "x", &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(Write(dir.path(), "x", &error));
    EXPECT_EQ(error, EISDIR);
}

} // namespace
