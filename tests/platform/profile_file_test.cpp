#include "profile_file.h"
#include "read_only_guard.h"

#include "test_files.h"
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ProfileFileTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("qumoedit.ini"); }

    ProfileFile loaded(const QByteArray &bytes)
    {
        WriteFileBytes(path(), bytes);
        ProfileFile ini(path());
        ini.load();
        return ini;
    }
};

TEST_F(ProfileFileTest, MissingFileGivesDefaultsAndIsNotCreatedByReading)
{
    ProfileFile ini(path());
    EXPECT_FALSE(ini.load());
    EXPECT_FALSE(ini.existed());
    EXPECT_EQ(ini.readString("Pre", "TagName", "HTML"), "HTML");
    EXPECT_EQ(ini.readInt("Pre", "msize", 9), 9);
    EXPECT_TRUE(ini.readBool("PreI", "Ruler", true));
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(ProfileFileTest, EmptyFileGivesDefaults)
{
    ProfileFile ini = loaded("");
    EXPECT_TRUE(ini.existed());
    EXPECT_EQ(ini.readInt("Position", "Width", 520), 520);
}

TEST_F(ProfileFileTest, SectionsAndKeysMatchWithoutCase)
{
    ProfileFile ini = loaded("[option]\r\nsaveashtm=1\r\n[PRE]\r\nTAGNAME=Mine\r\n");
    EXPECT_TRUE(ini.readBool("Option", "SaveAsHtm", false));
    EXPECT_TRUE(ini.readBool("OPTION", "SaveAsHTM", false));
    EXPECT_EQ(ini.readString("Pre", "TagName", "HTML"), "Mine");
}

TEST_F(ProfileFileTest, KeyOfAnotherSectionIsNotFound)
{
    ProfileFile ini = loaded("[Pre]\nmsize=12\n[Other]\nTagName=x\n");
    EXPECT_EQ(ini.readString("Pre", "TagName", "HTML"), "HTML");
    EXPECT_EQ(ini.readInt("Other", "msize", 9), 9);
}

TEST_F(ProfileFileTest, UnclosedHeaderDoesNotStartASection)
{
    ProfileFile ini = loaded("[Pre]\nmsize=10\n[Position\nWidth=700\n");
    EXPECT_EQ(ini.readInt("Position", "Width", 520), 520);
    EXPECT_EQ(ini.readInt("Pre", "Width", 0), 700);
}

TEST_F(ProfileFileTest, KeysBeforeAnySectionAreIgnored)
{
    ProfileFile ini = loaded("msize=30\n[Pre]\n");
    EXPECT_EQ(ini.readInt("Pre", "msize", 9), 9);
}

TEST_F(ProfileFileTest, BlanksAroundNamesAndValuesAreIgnored)
{
    ProfileFile ini = loaded("  [ Pre ]  \n  TagName  =   My Set  \n");
    EXPECT_EQ(ini.readString("Pre", "TagName", ""), "My Set");
}

TEST_F(ProfileFileTest, OnePairOfEnclosingQuotesIsStripped)
{
    ProfileFile ini = loaded("[S]\n"
                             "a=\"quoted\"\n"
                             "b='single'\n"
                             "c=\"\"C:/p/x\" \"%1\"\"\n"
                             "d=\"mixed'\n"
                             "e=\"\n"
                             "f=in \"the\" middle\n"
                             "g=\"\"\n");
    EXPECT_EQ(ini.readString("S", "a", ""), "quoted");
    EXPECT_EQ(ini.readString("S", "b", ""), "single");
    EXPECT_EQ(ini.readString("S", "c", ""), "\"C:/p/x\" \"%1\"");
    EXPECT_EQ(ini.readString("S", "d", ""), "\"mixed'");
    EXPECT_EQ(ini.readString("S", "e", ""), "\"");
    EXPECT_EQ(ini.readString("S", "f", ""), "in \"the\" middle");
    EXPECT_EQ(ini.readString("S", "g", "default"), "");
}

TEST_F(ProfileFileTest, IntegersInDecimalAndHexOtherwiseDefault)
{
    ProfileFile ini = loaded("[S]\n"
                             "dec=42\nneg=-7\nplus=+5\nhex=0x0C\nupper=0XfF\nwide=0xFF9080\n"
                             "word=abc\ntail=12abc\nempty=\nbarehex=0x\nspace=1 2\n"
                             "huge=99999999999\nfull=0xFFFFFFFF\nquoted=\"15\"\nfullwidth=１２\n");
    EXPECT_EQ(ini.readInt("S", "dec", 0), 42);
    EXPECT_EQ(ini.readInt("S", "neg", 0), -7);
    EXPECT_EQ(ini.readInt("S", "plus", 0), 5);
    EXPECT_EQ(ini.readInt("S", "hex", 0), 12);
    EXPECT_EQ(ini.readInt("S", "upper", 0), 255);
    EXPECT_EQ(ini.readInt("S", "wide", 0), 0xFF9080);
    EXPECT_EQ(ini.readInt("S", "full", 0), -1);
    EXPECT_EQ(ini.readInt("S", "quoted", 0), 15);
    for (const char *key : {"word", "tail", "empty", "barehex", "space", "huge", "fullwidth", "absent"})
        EXPECT_EQ(ini.readInt("S", key, 9), 9) << key;
}

TEST_F(ProfileFileTest, BooleansAreAnyNonZeroInteger)
{
    ProfileFile ini = loaded("[S]\none=1\ntwo=2\nzero=0\nhex=0x0\nword=yes\n");
    EXPECT_TRUE(ini.readBool("S", "one", false));
    EXPECT_TRUE(ini.readBool("S", "two", false));
    EXPECT_FALSE(ini.readBool("S", "zero", true));
    EXPECT_FALSE(ini.readBool("S", "hex", true));
    EXPECT_TRUE(ini.readBool("S", "word", true));
    EXPECT_FALSE(ini.readBool("S", "word", false));
}

TEST_F(ProfileFileTest, FirstOfDuplicateSectionsAndKeysWins)
{
    ProfileFile ini = loaded("[S]\nk=first\nk=second\n[S]\nk=third\nother=x\n");
    EXPECT_EQ(ini.readString("S", "k", ""), "first");
    EXPECT_EQ(ini.readString("S", "other", "none"), "none");
}

TEST_F(ProfileFileTest, GarbledBytesDoNotBreakReadingOtherKeys)
{
    ProfileFile ini =
        loaded(QByteArray("\x00\xff\xfe[Pre\n=novalue\n\x81\x00garbage\n[Pre]\nmsize=11\n", 43));
    EXPECT_EQ(ini.readInt("Pre", "msize", 9), 11);
}

TEST_F(ProfileFileTest, LegacyShiftJisFileIsDecoded)
{
    // "ＭＳ ゴシック" in code page 932: bytes that are not UTF-8 are read as code page 932.
    ProfileFile ini = loaded("[PreI]\r\nEditFont=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n");
    EXPECT_EQ(ini.readString("PreI", "EditFont", ""), QString::fromUtf8("ＭＳ ゴシック"));
}

TEST_F(ProfileFileTest, Utf8ByteOrderMarkIsSkipped)
{
    ProfileFile ini = loaded("\xEF\xBB\xBF[Pre]\nTagName=タグ\n");
    EXPECT_EQ(ini.readString("Pre", "TagName", ""), QString::fromUtf8("タグ"));
}

TEST_F(ProfileFileTest, SaveCreatesFileInUtf8)
{
    ProfileFile ini(path());
    ini.load();
    ini.writeString("PreI", "EditFont", QString::fromUtf8("ＭＳ ゴシック"));
    ini.writeInt("Pre", "msize", 12);
    ini.writeBool("PreI", "Ruler", false);
    const Outcome saved = ini.save();
    ASSERT_TRUE(saved.done()) << saved.message.toStdString();
    EXPECT_EQ(ReadFileBytes(path()),
              QByteArray("[PreI]\nEditFont=ＭＳ ゴシック\nRuler=0\n\n[Pre]\nmsize=12\n"));

    ProfileFile again(path());
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.readString("PreI", "EditFont", ""), QString::fromUtf8("ＭＳ ゴシック"));
    EXPECT_EQ(again.readInt("Pre", "msize", 9), 12);
    EXPECT_FALSE(again.readBool("PreI", "Ruler", true));
}

TEST_F(ProfileFileTest, UnknownLinesSectionsAndSpellingAreKept)
{
    ProfileFile ini = loaded("; comment\r\n[Pre]\r\nmsize=9\r\nnot a key line\r\nFuture=1\r\n\r\n"
                             "[Unknown]\r\nx=y\r\n[Option]\r\nSaveAsHtm=0\r\n");
    ini.writeInt("pre", "MSIZE", 14);
    ini.writeString("Pre", "TagName", "HTML");
    ini.writeBool("Option", "SaveAsHTM", true);
    ASSERT_TRUE(ini.save().done());
    EXPECT_EQ(ReadFileBytes(path()),
              QByteArray("; comment\n[Pre]\nmsize=14\nnot a key line\nFuture=1\nTagName=HTML\n\n"
                         "[Unknown]\nx=y\n[Option]\nSaveAsHtm=1\n"));
}

TEST_F(ProfileFileTest, LineBreaksInValuesCannotSplitTheLine)
{
    ProfileFile ini(path());
    ini.writeString("S", "k", "a\r\nb\nc\rd");
    ini.writeString("S", "after", "x");
    ASSERT_TRUE(ini.save().done());
    ProfileFile again(path());
    again.load();
    EXPECT_EQ(again.readString("S", "k", ""), "a b c d");
    EXPECT_EQ(again.readString("S", "after", ""), "x");
}

TEST_F(ProfileFileTest, WrittenValueReadsBackThroughQuotes)
{
    ProfileFile ini(path());
    ini.writeString("PreI", "PreTxtProg", "\"\"/usr/bin/ed\" \"%1\"\"");
    ASSERT_TRUE(ini.save().done());
    ProfileFile again(path());
    again.load();
    EXPECT_EQ(again.readString("PreI", "PreTxtProg", ""), "\"/usr/bin/ed\" \"%1\"");
}

TEST_F(ProfileFileTest, SaveIntoReadOnlyFolderFailsAndReports)
{
    ReadOnlyGuard readOnly(dir.path());
    if (!readOnly.effective())
        GTEST_SKIP() << "cannot make a folder read-only here";
    ProfileFile ini(path());
    ini.writeInt("Pre", "msize", 12);
    const Outcome saved = ini.save();
    EXPECT_EQ(saved.kind, Outcome::Failed);
    EXPECT_FALSE(saved.message.isEmpty());
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(ProfileFileTest, FailedSaveLeavesPreviousFileWhole)
{
    const QByteArray before("[Pre]\nmsize=10\n");
    WriteFileBytes(path(), before);
    ReadOnlyGuard readOnly(path());
    if (!readOnly.effective())
        GTEST_SKIP() << "cannot make a file read-only here";
    ProfileFile ini(path());
    ASSERT_TRUE(ini.load());
    ini.writeInt("Pre", "msize", 20);
    EXPECT_FALSE(ini.save().done());
    EXPECT_EQ(ReadFileBytes(path()), before);
}

TEST_F(ProfileFileTest, SaveOverDirectoryFails)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("qumoedit.ini"));
    ProfileFile ini(path());
    EXPECT_FALSE(ini.load());
    ini.writeInt("Pre", "msize", 12);
    EXPECT_FALSE(ini.save().done());
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

} // namespace
