#include "button_faces.h"
#include "pending_definitions.h"
#include "printers.h"
#include "read_only_guard.h"
#include "set_file_format.h"
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
    EXPECT_TRUE(SaveSet(dir_, "HTML", TagPalette(), list).done());
    EXPECT_EQ(ReadFileBytes(dir_ + "HTML.qmh"), TagExample);

    const LoadedSet loaded = LoadTagSet(dir_, "HTML");
    ASSERT_TRUE(loaded.outcome.done());
    EXPECT_EQ(loaded.list, list);
    ASSERT_EQ(loaded.faces.size(), 40);
    EXPECT_EQ(loaded.faces[2], (ButtonFace{true, "太字", "選択範囲を太字にします", std::nullopt}));
    EXPECT_EQ(std::count_if(loaded.faces.begin(), loaded.faces.end(), [](auto &f) { return f.defined; }), 1);

    // A name typed into the set box before a definition writes a copy; deleting removes the file only.
    SetList changed = loaded.list;
    changed.define(0, {"p", "<p>", 3, 0, ""});
    EXPECT_TRUE(SaveSet(dir_, "コピー", TagPalette(), changed).done());
    EXPECT_EQ(ListTagSets(dir_), QStringList({"HTML", "コピー"}));
    EXPECT_EQ(ReadFileBytes(dir_ + "HTML.qmh"), TagExample);
    EXPECT_TRUE(DeleteSet(dir_, "HTML", TagPalette()).done());
    EXPECT_EQ(ListTagSets(dir_), QStringList({"コピー"}));

    WriteFileBytes(dir_ + "swatch.qmc", "text\n*Button3\r\nblue\r#0000FF\n0\n0");
    const LoadedSet clips = LoadClipSet(dir_, "swatch");
    ASSERT_TRUE(clips.outcome.done());
    EXPECT_EQ(clips.faces[2].flatColour, 0xFF0000u);
    EXPECT_EQ(clips.faces[2].tooltip, ""); // cut short before its help line
}

TEST_F(SetFiles, MissingSetChangesNothingQuietly)
{
    const LoadedSet loaded = LoadTagSet(dir_, "新規HTMLデータ");
    EXPECT_EQ(loaded.outcome.kind, Outcome::Declined);
    EXPECT_EQ(loaded.outcome.message, "");
    EXPECT_TRUE(DeleteSet(dir_, "absent", ClipPalette()).done());
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
        EXPECT_NE(SaveSet(dir_, name, TagPalette(), SetList::Fresh("h")).message, "") << shown;
        // No set yet (the clip set's default name) loads as nothing, silently.
        const SetRead read = ReadSet(dir_, name, TagPalette());
        EXPECT_EQ(read.outcome.kind, name.isEmpty() ? Outcome::Declined : Outcome::Failed) << shown;
        EXPECT_EQ(read.outcome.message.isEmpty(), name.isEmpty()) << shown;
        EXPECT_FALSE(LoadTagSet(dir_, name).outcome.done()) << shown;
        EXPECT_NE(DeleteSet(dir_, name, TagPalette()).message, "") << shown;
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
        const QString message = SaveSet(dir_, "HTML", TagPalette(), list).message;
        EXPECT_TRUE(message.contains(dir_ + "HTML.qmh")) << message.toStdString();
        EXPECT_TRUE(message.contains("前のファイルはそのままです")) << message.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(dir_ + "HTML.qmh"), TagExample);

    SetList unencodable = SetList::Fresh("h");
    unencodable.define(0, {"絵文字😀", "", 0, 0, ""});
    EXPECT_TRUE(SaveSet(dir_, "HTML", TagPalette(), unencodable).message.contains("😀"));
    EXPECT_EQ(ReadFileBytes(dir_ + "HTML.qmh"), TagExample);
}

TEST_F(SetFiles, HugeBinaryAndSpecialFilesLoadWithoutHarm)
{
    QByteArray noise(MaxSetFileBytes, Qt::Uninitialized);
    for (char &b : noise)
        b = char(1 + QRandomGenerator::global()->bounded(255)); // no NUL: every byte is read
    WriteFileBytes(dir_ + "noise.qmh", noise);
    const LoadedSet binary = LoadTagSet(dir_, "noise");
    EXPECT_TRUE(binary.outcome.done());
    EXPECT_EQ(binary.faces.size(), 40);

    WriteFileBytes(dir_ + "huge.qmh", noise + "more");
    const LoadedSet huge = LoadTagSet(dir_, "huge");
    EXPECT_EQ(huge.outcome.kind, Outcome::Failed);
    EXPECT_TRUE(huge.outcome.message.contains("huge.qmh")) << huge.outcome.message.toStdString();

    ASSERT_EQ(::mkfifo(QFile::encodeName(dir_ + "pipe.qmc").constData(), 0600), 0);
    const LoadedSet pipe = LoadClipSet(dir_, "pipe"); // would wait for a writer if opened blocking
    EXPECT_EQ(pipe.outcome.kind, Outcome::Failed);
    EXPECT_NE(pipe.outcome.message, "");
}

// A set as a text editor or an older set file may leave it: LF and CR ends, no final line end,
// NEC and IBM forms of the same character (ED 40 and FA 5C), invalid bytes, a caption and a help
// line that read like keys.
const QByteArray Shared =
    "text\n*Button1\nred\n#FF0000\n7\n0\n\r*Button2\r\xED\x40\xFA\x5C\x80\xFF\r*Button4\r0\r0\r"
    "*Button4\nend";

QByteArray Record(const QByteArray &lines)
{
    return QByteArray(lines).replace('|', "\r\n") + "\r\n";
}

SetDefinition Change(const QString &name, int number, const QString &caption, const SetList &inMemory = {},
                     const QString &loadedPath = {})
{
    return {name, number, {caption, "<b>\n", 1, 2, "?"}, inMemory, loadedPath};
}

TEST_F(SetFiles, DefiningChangesOnlyItsRecordInTheFileAsItIsNow)
{
    const struct
    {
        int number;
        QByteArray after;
    } cases[] = {
        // Replaced where it stands; the lines around it keep their bytes and ends.
        {1, "text\n" + Record("*Button1|x|<b>\\r\\n|1|2|?") + Shared.sliced(Shared.indexOf("*Button2"))},
        // A key in a caption or help line is text: button 4's record is appended, and the file's
        // last line gets its line end.
        {4, Shared + "\r\n" + Record("*Button4|x|<b>\\r\\n|1|2|?")},
        {2, Shared.first(Shared.indexOf("*Button2")) + Record("*Button2|x|<b>\\r\\n|1|2|?") +
                Shared.sliced(Shared.indexOf("end"))},
    };
    for (const auto &c : cases) {
        WriteFileBytes(dir_ + "shared.qmc", Shared);
        // The window's own copy is stale: only the file counts.
        const SetDefined defined =
            DefineInSet(dir_, ClipPalette(),
                        Change("shared", c.number, "x", SetList::Fresh("text"), dir_ + "shared.qmc"));
        EXPECT_TRUE(defined.outcome.done()) << c.number;
        EXPECT_EQ(ReadFileBytes(dir_ + "shared.qmc"), c.after) << c.number;
        ASSERT_TRUE(defined.merged) << c.number;
        EXPECT_EQ(*defined.merged, SetList(ParseSetFile(c.after))) << c.number;
        EXPECT_EQ(defined.merged->record(c.number)->caption, "x") << c.number;
    }
}

TEST_F(SetFiles, ASetNotReadWholeIsNeverWritten)
{
    const QByteArray large = "text\r\n" + QByteArray(MaxSetFileBytes, 'x');
    const QByteArray nearlyFull = "text\r\n" + QByteArray(MaxSetFileBytes - 10, 'x');
    const QByteArray withNul =
        QByteArray("text\r\n*Button1\r\na\r\nb\r\n0\r\n0\r\n\r\n") + '\0' + "*Button2\r\nc";
    const struct
    {
        const char *name;
        QByteArray bytes; // empty: no file
        QString loadedPath;
        const char *reason;
    } cases[] = {
        {"large", large, {}, "2097152 バイトまで"},
        {"nul", withNul, {}, "31 バイト目に NUL"},
        {"gone", {}, "gone", "読み込んだ後になくなりました"},
        {"full", nearlyFull, {}, "2097152 バイトまで"}, // the definition would make it too large
    };
    for (const auto &c : cases) {
        const QString path = dir_ + c.name + ".qmh";
        if (!c.bytes.isEmpty())
            WriteFileBytes(path, c.bytes);
        SetList shown = SetList::Fresh("h");
        shown.define(0, {"shown", "", 0, 0, ""});
        const SetDefined defined = DefineInSet(
            dir_, TagPalette(), Change(c.name, 3, "y", shown, c.loadedPath.isEmpty() ? QString() : path));
        EXPECT_FALSE(defined.merged) << c.name;
        EXPECT_TRUE(defined.outcome.message.contains(QString::fromUtf8(c.reason)))
            << defined.outcome.message.toStdString();
        EXPECT_TRUE(defined.outcome.message.contains(path)) << defined.outcome.message.toStdString();
        EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.name;
        EXPECT_EQ(QFile::exists(path), !c.bytes.isEmpty()) << c.name;
    }

    // A FIFO is no set; a file the user cannot read neither.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir_ + "pipe.qmh").constData(), 0600), 0);
    EXPECT_TRUE(DefineInSet(dir_, TagPalette(), Change("pipe", 3, "y")).outcome.message.contains("pipe.qmh"));
    WriteFileBytes(dir_ + "locked.qmh", TagExample);
    ASSERT_TRUE(QFile::setPermissions(dir_ + "locked.qmh", {}));
    // Root reads it all the same.
    if (!QFile(dir_ + "locked.qmh").open(QIODevice::ReadOnly)) {
        EXPECT_TRUE(
            DefineInSet(dir_, TagPalette(), Change("locked", 3, "y")).outcome.message.contains("locked.qmh"));
        ASSERT_TRUE(QFile::setPermissions(dir_ + "locked.qmh", QFile::ReadOwner | QFile::WriteOwner));
        EXPECT_EQ(ReadFileBytes(dir_ + "locked.qmh"), TagExample);
    }
}

TEST_F(SetFiles, AMissingSetIsCreatedFromWhatTheWindowShows)
{
    SetList shown = SetList::Fresh(TagPalette().header);
    shown.define(2, {"太字", "<b>*text*</b>", 3, 0, "選択範囲を太字にします"});
    SetDefinition change = Change("HTML", 0, "x", shown);
    // A new set, a copy under a typed name, or a set deleted here: the whole set is written.
    const SetDefined defined = DefineInSet(dir_, TagPalette(), change);
    EXPECT_TRUE(defined.outcome.done());
    EXPECT_EQ(ReadFileBytes(dir_ + "HTML.qmh"), TagExample + Record("*Button0|x|<b>\\r\\n|1|2|?"));
    EXPECT_EQ(defined.path, dir_ + "HTML.qmh");

    change.definition.caption = "😀";
    EXPECT_TRUE(DefineInSet(dir_, TagPalette(), change).outcome.message.contains("😀"));
    EXPECT_EQ(ReadFileBytes(dir_ + "HTML.qmh"), TagExample + Record("*Button0|x|<b>\\r\\n|1|2|?"));
}

// Two windows loaded the same set; each defines through the set functions with its own stale list,
// and another program appends in between. Nobody's definition is lost.
TEST_F(SetFiles, InterleavedWritersKeepEachOthersDefinitions)
{
    WriteFileBytes(dir_ + "HTML.qmh", TagExample);
    const SetRead a = ReadSet(dir_, "HTML", TagPalette());
    const SetRead b = ReadSet(dir_, "HTML", TagPalette());
    const auto define = [this](const SetRead &window, int number, const QString &caption) {
        const SetDefined defined = DefineInSet(
            dir_, TagPalette(), {"HTML", number, {caption, "", 0, 0, ""}, window.list, window.path});
        EXPECT_TRUE(defined.outcome.done());
        return defined.merged.value_or(SetList());
    };
    define(a, 10, "コメント");
    QFile other(dir_ + "HTML.qmh");
    ASSERT_TRUE(other.open(QIODevice::Append));
    other.write("*Button20\r\nother\r\n\r\n0\r\n0\r\n\r\n");
    other.close();
    define(b, 11, "日付");
    const SetList last = define(a, 2, "変更");
    const QStringList captions = {last.record(2)->caption, last.record(10)->caption, last.record(11)->caption,
                                  last.record(20)->caption};
    EXPECT_EQ(captions, QStringList({"変更", "コメント", "日付", "other"}));
    EXPECT_EQ(last, ReadSet(dir_, "HTML", TagPalette()).list);
    EXPECT_EQ(last.lines().size(), 1 + 4 * 6);
}

// A definition a failed write kept goes into the file with the next one that can be written.
TEST_F(SetFiles, AKeptDefinitionIsWrittenWithTheNextOne)
{
    WriteFileBytes(dir_ + "HTML.qmh", TagExample);
    const SetRead shown = ReadSet(dir_, "HTML", TagPalette());
    PendingDefinitions pending;
    {
        const ReadOnlyGuard locked(dir_ + "HTML.qmh");
        if (!locked.effective())
            GTEST_SKIP() << "this user writes read-only files";
        EXPECT_FALSE(pending.define(dir_, TagPalette(), Change("HTML", 3, "先", shown.list, shown.path))
                         .outcome.done());
    }
    EXPECT_FALSE(pending.isEmpty());
    const SetDefined defined =
        pending.define(dir_, TagPalette(), Change("HTML", 4, "後", shown.list, shown.path));
    ASSERT_TRUE(defined.outcome.done());
    EXPECT_TRUE(pending.isEmpty());
    const SetList file = ReadSet(dir_, "HTML", TagPalette()).list;
    const QStringList captions = {file.record(2)->caption, file.record(3)->caption, file.record(4)->caption};
    EXPECT_EQ(captions, QStringList({"太字", "先", "後"}));
    EXPECT_EQ(defined.merged, file);
}

} // namespace
