#include "button_faces.h"
#include "printers.h"
#include "read_only_guard.h"
#include "set_files.h"
#include "test_files.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace Palettes;

// A program folder "prog/" inside a temporary folder, so that files landing beside it show.
class SetFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        ASSERT_TRUE(QDir(root_.path()).mkdir("prog"));
        dir_ = root_.path() + "/prog/";
    }
    QStringList everything() const
    {
        QStringList all;
        for (const QString &d : {root_.path(), dir_})
            all += QDir(d).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        return all;
    }

    QTemporaryDir root_;
    QString dir_;
};

const QByteArray TagExample =
    "[QUMOEDIT HTML Button Data Ver1.0]\r\n*Button2\r\n\x91\xbe\x8e\x9a\r\n<b>*text*</b>\r\n"
    "3\r\n0\r\n\x91I\x91\xf0\x94\xcd\x88\xcd\x82\xf0\x91\xbe\x8e\x9a\x82\xc9\x82\xb5\x82"
    "\xdc\x82\xb7\r\n";

TEST_F(SetFiles, ListsEachKindSortedWithoutCase)
{
    for (const char *name : {"b.qmh", "A.qmh", "c.qmh", "x.QMH", "a.qmh.bak", ".qmh", "z.qmc", "Y.qmc"})
        WriteFileBytes(dir_ + name, "text\r\n");
    ASSERT_TRUE(QDir(dir_).mkdir("folder.qmh"));
    EXPECT_EQ(ListTagSets(dir_), QStringList({"A", "b", "c"}));
    EXPECT_EQ(ListClipSets(dir_), QStringList({"Y", "z"}));
}

TEST_F(SetFiles, SavedByteForByteAndLoadedOntoButtons)
{
    SetList list = SetList::Fresh(TagPalette().header);
    list.define(2, {"太字", "<b>*text*</b>", 3, 0, "選択範囲を太字にします"});
    EXPECT_EQ(SaveSet(dir_, "HTML", TagPalette(), list), "");
    EXPECT_EQ(ReadFileBytes(dir_ + "HTML.qmh"), TagExample);

    const LoadedSet loaded = LoadTagSet(dir_, "HTML");
    ASSERT_TRUE(loaded.loaded);
    EXPECT_EQ(loaded.list, list);
    ASSERT_EQ(loaded.faces.size(), 40);
    EXPECT_EQ(loaded.faces[2], (ButtonFace{true, "太字", "選択範囲を太字にします", std::nullopt}));
    EXPECT_EQ(std::count_if(loaded.faces.begin(), loaded.faces.end(), [](auto &f) { return f.defined; }), 1);

    // A name typed into the set box before a definition writes a copy; deleting removes the file only.
    SetList changed = loaded.list;
    changed.define(0, {"p", "<p>", 3, 0, ""});
    EXPECT_EQ(SaveSet(dir_, "コピー", TagPalette(), changed), "");
    EXPECT_EQ(ListTagSets(dir_), QStringList({"HTML", "コピー"}));
    EXPECT_EQ(ReadFileBytes(dir_ + "HTML.qmh"), TagExample);
    EXPECT_EQ(DeleteSet(dir_, "HTML", TagPalette()), "");
    EXPECT_EQ(ListTagSets(dir_), QStringList({"コピー"}));

    WriteFileBytes(dir_ + "swatch.qmc", "text\n*Button3\r\nblue\r#0000FF\n0\n0");
    const LoadedSet clips = LoadClipSet(dir_, "swatch");
    ASSERT_TRUE(clips.loaded);
    EXPECT_EQ(clips.faces[2].flatColour, 0xFF0000u);
    EXPECT_EQ(clips.faces[2].tooltip, ""); // cut short before its help line
}

TEST_F(SetFiles, MissingSetChangesNothingQuietly)
{
    const LoadedSet loaded = LoadTagSet(dir_, "新規HTMLデータ");
    EXPECT_FALSE(loaded.loaded);
    EXPECT_EQ(loaded.message, "");
    EXPECT_EQ(DeleteSet(dir_, "absent", ClipPalette()), "");
}

TEST_F(SetFiles, NamesThatLeaveTheFolderAreRefusedEverywhere)
{
    WriteFileBytes(root_.path() + "/victim.qmh", "keep\r\n");
    const QString names[] = {"",     "../victim", "..",        "a/b",      "/tmp/x",
                             "a\\b", "a..b",      "tab\tname", "nl\nname", QString::fromLatin1("a\0b", 3),
                             "\x7f", "x\u0085"};
    for (const QString &name : names) {
        const std::string shown = name.toUtf8().toHex().toStdString();
        EXPECT_NE(SetNameProblem(name), "") << shown;
        EXPECT_NE(SaveSet(dir_, name, TagPalette(), SetList::Fresh("h")), "") << shown;
        // No set yet (the clip set's default name) loads as nothing, silently.
        const SetRead read = ReadSet(dir_, name, TagPalette());
        EXPECT_EQ(read.status, name.isEmpty() ? SetRead::Missing : SetRead::Failed) << shown;
        EXPECT_EQ(read.message.isEmpty(), name.isEmpty()) << shown;
        EXPECT_FALSE(LoadTagSet(dir_, name).loaded) << shown;
        EXPECT_NE(DeleteSet(dir_, name, TagPalette()), "") << shown;
    }
    EXPECT_EQ(everything(), QStringList({"prog", "victim.qmh"}));
    EXPECT_EQ(ReadFileBytes(root_.path() + "/victim.qmh"), "keep\r\n");
    for (const QString name : {"HTML", "新規HTMLデータ", "a.b", ".hidden", "名前 with spaces"})
        EXPECT_EQ(SetNameProblem(name), "") << name.toStdString();
}

TEST_F(SetFiles, FailedWriteKeepsThePreviousFileAndSaysSo)
{
    WriteFileBytes(dir_ + "HTML.qmh", TagExample);
    SetList list = SetList::Fresh("h");
    list.define(0, {"x", "y", 0, 0, ""});
    {
        ReadOnlyGuard folder(dir_);
        ReadOnlyGuard file(dir_ + "HTML.qmh");
        if (!folder.effective() || !file.effective())
            GTEST_SKIP() << "cannot make the folder read-only here";
        const QString message = SaveSet(dir_, "HTML", TagPalette(), list);
        EXPECT_TRUE(message.contains(dir_ + "HTML.qmh")) << message.toStdString();
        EXPECT_TRUE(message.contains("前のファイルはそのままです")) << message.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(dir_ + "HTML.qmh"), TagExample);

    SetList unencodable = SetList::Fresh("h");
    unencodable.define(0, {"絵文字😀", "", 0, 0, ""});
    EXPECT_TRUE(SaveSet(dir_, "HTML", TagPalette(), unencodable).contains("😀"));
    EXPECT_EQ(ReadFileBytes(dir_ + "HTML.qmh"), TagExample);
}

TEST_F(SetFiles, HugeBinaryAndSpecialFilesLoadWithoutHarm)
{
    QByteArray noise(MaxSetFileBytes, Qt::Uninitialized);
    for (char &b : noise)
        b = char(1 + QRandomGenerator::global()->bounded(255)); // no NUL: every byte is read
    WriteFileBytes(dir_ + "noise.qmh", noise);
    const LoadedSet binary = LoadTagSet(dir_, "noise");
    EXPECT_TRUE(binary.loaded);
    EXPECT_EQ(binary.faces.size(), 40);

    WriteFileBytes(dir_ + "huge.qmh", noise + "more");
    const LoadedSet huge = LoadTagSet(dir_, "huge");
    EXPECT_FALSE(huge.loaded);
    EXPECT_TRUE(huge.message.contains("huge.qmh")) << huge.message.toStdString();

    ASSERT_EQ(::mkfifo(QFile::encodeName(dir_ + "pipe.qmc").constData(), 0600), 0);
    const LoadedSet pipe = LoadClipSet(dir_, "pipe"); // would wait for a writer if opened blocking
    EXPECT_FALSE(pipe.loaded);
    EXPECT_NE(pipe.message, "");
}

} // namespace
