#include "program_dir.h"
#include "read_only_guard.h"

#include "test_files.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

TEST(ProgramDir, WritableExecutableFolderIsUsedDirectly)
{
    QTemporaryDir temp;
    const QString dir = ResolveProgramDir(temp.path(), temp.path() + QStringLiteral("/config"));
    EXPECT_EQ(dir, temp.path() + u'/');
    EXPECT_FALSE(QDir(temp.path() + QStringLiteral("/config")).exists());
}

TEST(ProgramDir, OnlyAFolderOfTheUsersOwnIsPortable)
{
    QTemporaryDir temp;
    const struct
    {
        QFileDevice::Permissions permissions;
        bool portable;
    } cases[] = {
        {QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner, true},
        {QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
             QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther,
         true},
        // Others who can write there could plant a settings file.
        {QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::WriteGroup,
         false},
        {QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::WriteOther,
         false},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(QFile::setPermissions(temp.path(), c.permissions));
        EXPECT_EQ(IsPortableFolder(temp.path()), c.portable) << int(c.permissions);
        const QString config = temp.path() + QStringLiteral("/config");
        EXPECT_EQ(ResolveProgramDir(temp.path(), config) == config + u'/', !c.portable);
    }
    // Installed software's folders are never used, even by their owner.
    for (const char *system : {"/usr/bin", "/usr/local/bin", "/opt", "/"})
        EXPECT_FALSE(IsPortableFolder(QString::fromLatin1(system))) << system;
    // Not owned by this user (giving a folder away needs root).
    if (::geteuid() != 0)
        return;
    ASSERT_TRUE(QFile::setPermissions(temp.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                       QFileDevice::ExeOwner));
    ASSERT_EQ(::chown(QFile::encodeName(temp.path()).constData(), 1000, 1000), 0);
    EXPECT_FALSE(IsPortableFolder(temp.path()));
}

TEST(ProgramDir, ReadOnlyInstallFallsBackAndSeedsPaletteSets)
{
    QTemporaryDir temp;
    const QString install = temp.filePath(QStringLiteral("install"));
    const QString config = temp.filePath(QStringLiteral("home/.config/qumoedit"));
    QDir().mkpath(install);
    QDir().mkpath(config);
    WriteFileBytes(install + QStringLiteral("/HTML.qmh"), "shipped tags");
    WriteFileBytes(install + QStringLiteral("/Mail.qmc"), "shipped clips");
    WriteFileBytes(install + QStringLiteral("/readme.txt"), "read me");
    WriteFileBytes(config + QStringLiteral("/HTML.qmh"), "user's own tags");
    ReadOnlyGuard readOnly(install);
    if (!readOnly.effective())
        GTEST_SKIP() << "no way to make a folder read-only here";

    EXPECT_EQ(ResolveProgramDir(install, config), config + u'/');
    EXPECT_EQ(ReadFileBytes(config + QStringLiteral("/HTML.qmh")), "user's own tags")
        << "a user's set is never replaced";
    EXPECT_EQ(ReadFileBytes(config + QStringLiteral("/Mail.qmc")), "shipped clips");
    EXPECT_FALSE(QFile::exists(config + QStringLiteral("/readme.txt"))) << "only palette sets are copied";
}

TEST(ProgramDir, InstalledSetsAreSeededFromTheDataFolder)
{
    // The tests' data home stands for an installed data folder.
    const QString shipped =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/qumoedit");
    QDir().mkpath(shipped);
    WriteFileBytes(shipped + QStringLiteral("/Installed.qmh"), "installed tags");
    QTemporaryDir temp;
    const QString config = temp.filePath(QStringLiteral("config/qumoedit"));
    EXPECT_EQ(ResolveProgramDir(QStringLiteral("/usr/bin"), config), config + u'/');
    EXPECT_EQ(ReadFileBytes(config + QStringLiteral("/Installed.qmh")), "installed tags");
    QFile::remove(shipped + QStringLiteral("/Installed.qmh"));
}

TEST(ProgramDir, FallbackIsCreatedOnFirstRun)
{
    QTemporaryDir temp;
    const QString install = temp.filePath(QStringLiteral("install"));
    QDir().mkpath(install);
    const QString config = temp.filePath(QStringLiteral("new/deep/qumoedit"));
    ReadOnlyGuard readOnly(install);
    if (!readOnly.effective())
        GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_EQ(ResolveProgramDir(install, config), config + u'/');
    EXPECT_TRUE(QDir(config).exists());
}

TEST(ProgramDir, NeitherFolderUsableGivesEmpty)
{
    QTemporaryDir temp;
    WriteFileBytes(temp.filePath(QStringLiteral("file")), "x");
    const QString underAFile = temp.filePath(QStringLiteral("file/qumoedit"));
    EXPECT_EQ(ResolveProgramDir(underAFile, underAFile), QString());
}

TEST(ShippedFiles, ProgramDirFirstThenBesideTheExecutable)
{
    QTemporaryDir temp;
    const QString programDir = temp.path() + u'/';
    WriteFileBytes(programDir + QStringLiteral("readme.txt"), "x");
    EXPECT_EQ(ShippedFilePath(programDir, QStringLiteral("readme.txt")),
              programDir + QStringLiteral("readme.txt"));
    const QString besideExe = QCoreApplication::applicationFilePath();
    const QString exeName = QFileInfo(besideExe).fileName();
    EXPECT_EQ(QFileInfo(ShippedFilePath(programDir, exeName)).canonicalFilePath(),
              QFileInfo(besideExe).canonicalFilePath());
    EXPECT_EQ(ShippedFilePath(programDir, QStringLiteral("missing.wav")),
              programDir + QStringLiteral("missing.wav"));
}

} // namespace
