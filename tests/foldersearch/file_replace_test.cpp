// Replacing in files on disk: the previous content in the trash, files changed
// since the search or not writable passed over, owner, mode and links kept.
#include "file_replace.h"
#include "home_trash.h"
#include "read_only_guard.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace FolderSearch;

const TextTools::SearchPattern Pattern(QStringLiteral("old"), {true});

Outcome Replace(const SearchedFile &file)
{
    const PreparedReplace prepared = PrepareReplace(file, Pattern, QStringLiteral("new"), {});
    return prepared.outcome.done() ? CommitReplace(file.path, prepared) : prepared.outcome;
}

TEST(FileReplace, ThePreviousContentGoesToTheTrashWithItsInfo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page 1.html"));
    const QString link = dir.filePath(QStringLiteral("other name.html"));
    WriteFileBytes(path, "old\r\nkept\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
    // Twice: the second copy takes a name of its own.
    for (const char *trashed : {"page 1.html", "page 1 (2).html"}) {
        WriteFileBytes(path, "old\r\nkept\r\n");
        ASSERT_TRUE(Replace({path, FileIdentity::Of(path)}).done());
        EXPECT_EQ(ReadFileBytes(path), "new\r\nkept\r\n");
        EXPECT_EQ(ReadFileBytes(HomeTrashPath() + "/files/" + trashed), "old\r\nkept\r\n");
        const QByteArray info = ReadFileBytes(HomeTrashPath() + "/info/" + trashed + ".trashinfo");
        EXPECT_TRUE(
            info.startsWith("[Trash Info]\nPath=" + QUrl::toPercentEncoding(path, "/") + "\nDeletionDate="))
            << info.toStdString();
    }
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(st.st_nlink, 2u);
    EXPECT_EQ(ReadFileBytes(link), "new\r\nkept\r\n");
}

TEST(FileReplace, AFileChangedSinceTheSearchOrNotWritableIsPassedOver)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    WriteFileBytes(path, "old\n");
    const FileIdentity searched = FileIdentity::Of(path);
    const PreparedReplace prepared = PrepareReplace({path, searched}, Pattern, QStringLiteral("new"), {});
    ASSERT_TRUE(prepared.outcome.done());
    // Changed between the preview and the writing, and between the search and the preview.
    WriteFileBytes(path, "old, and more\n");
    EXPECT_EQ(CommitReplace(path, prepared).message, QStringLiteral("検索の後に変更されています。"));
    EXPECT_EQ(Replace({path, searched}).kind, Outcome::Failed);
    EXPECT_EQ(ReadFileBytes(path), "old, and more\n");

    const QStringList before = QDir(HomeTrashPath() + "/files").entryList(QDir::Files);
    ReadOnlyGuard guard(dir.path());
    if (!guard.effective())
        GTEST_SKIP() << "the folder cannot be made unwritable here";
    const ReadOnlyGuard file(path);
    const Outcome refused = Replace({path, FileIdentity::Of(path)});
    EXPECT_EQ(refused.kind, Outcome::Failed);
    EXPECT_EQ(ReadFileBytes(path), "old, and more\n");
    EXPECT_EQ(QDir(HomeTrashPath() + "/files").entryList(QDir::Files), before); // no copy left behind
}

} // namespace
