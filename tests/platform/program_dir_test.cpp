#include "program_dir.h"
#include "read_only_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ProgramDir, WritableExecutableFolderIsUsedDirectly)
{
    QTemporaryDir temp;
    const QString dir = ResolveProgramDir(temp.path(), temp.path() + QStringLiteral("/config"));
    EXPECT_EQ(dir, temp.path() + u'/');
    EXPECT_FALSE(QDir(temp.path() + QStringLiteral("/config")).exists());
}

TEST(ProgramDir, ReadOnlyInstallFallsBackAndSeedsPaletteSets)
{
    QTemporaryDir temp;
    const QString install = temp.filePath(QStringLiteral("install"));
    const QString config = temp.filePath(QStringLiteral("home/.config/qumoedit"));
    QDir().mkpath(install);
    QDir().mkpath(config);
    WriteFile(install + QStringLiteral("/HTML.qmh"), "shipped tags");
    WriteFile(install + QStringLiteral("/Mail.qmc"), "shipped clips");
    WriteFile(install + QStringLiteral("/readme.txt"), "read me");
    WriteFile(config + QStringLiteral("/HTML.qmh"), "user's own tags");
    ReadOnlyDir readOnly(install);
    if (!readOnly.Active())
        GTEST_SKIP() << "no way to make a folder read-only here";

    EXPECT_EQ(ResolveProgramDir(install, config), config + u'/');
    EXPECT_EQ(ReadFile(config + QStringLiteral("/HTML.qmh")), "user's own tags")
        << "a user's set is never replaced";
    EXPECT_EQ(ReadFile(config + QStringLiteral("/Mail.qmc")), "shipped clips");
    EXPECT_FALSE(QFile::exists(config + QStringLiteral("/readme.txt"))) << "only palette sets are copied";
}

TEST(ProgramDir, FallbackIsCreatedOnFirstRun)
{
    QTemporaryDir temp;
    const QString install = temp.filePath(QStringLiteral("install"));
    QDir().mkpath(install);
    const QString config = temp.filePath(QStringLiteral("new/deep/qumoedit"));
    ReadOnlyDir readOnly(install);
    if (!readOnly.Active())
        GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_EQ(ResolveProgramDir(install, config), config + u'/');
    EXPECT_TRUE(QDir(config).exists());
}

TEST(ProgramDir, NeitherFolderUsableGivesEmpty)
{
    QTemporaryDir temp;
    WriteFile(temp.filePath(QStringLiteral("file")), "x");
    const QString underAFile = temp.filePath(QStringLiteral("file/qumoedit"));
    EXPECT_EQ(ResolveProgramDir(underAFile, underAFile), QString());
}

TEST(ShippedFiles, ProgramDirFirstThenBesideTheExecutable)
{
    QTemporaryDir temp;
    const QString programDir = temp.path() + u'/';
    WriteFile(programDir + QStringLiteral("readme.txt"), "x");
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
