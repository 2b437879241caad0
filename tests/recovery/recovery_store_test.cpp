#include "display_blocks.h"
#include "document.h"
#include "editor_options.h"
#include "recovery_keeper.h"
#include "recovery_leftovers.h"
#include "recovery_store.h"
#include "recovery_writer.h"
#include "test_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

void Type(QTextDocument &text, int at, const QString &what)
{
    QTextCursor cursor(&text);
    cursor.setPosition(at);
    cursor.insertText(what);
}

void Remove(QTextDocument &text, int from, int to)
{
    QTextCursor cursor(&text);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

class RecoveryTest : public ::testing::Test
{
protected:
    RecoveryTest() { QDir().mkpath(folder()); }
    QString folder() const { return dir.filePath(QStringLiteral("recovery")); }
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

// What the lost document would have written, and what the document restored
// from its copy writes, must be the same bytes.
TEST_F(RecoveryTest, ARestoredDocumentSavesAsTheLostOneWould)
{
    const struct
    {
        const char *name;
        QByteArray file; // empty: a new document
        std::function<void(QTextDocument &)> edit;
    } rows[] = {
        {"Shift_JIS line with an NEC form kept, others edited",
         QByteArray("abc\r\n\x87\x9a kept\r\n\x81\xe6 plain\r\nend"),
         [](QTextDocument &t) {
             Type(t, 3, QStringLiteral("X"));
             Type(t, t.characterCount() - 1, QStringLiteral("\n新しい行"));
         }},
        {"Shift_JIS with LF line ends and no final end",
         QByteArray("#!/usr/bin/perl\nprint \"\x93\xfa\x96\x7b\";"),
         [](QTextDocument &t) { Type(t, 2, QStringLiteral("\nnew line")); }},
        {"UTF-8 with the mark, mixed line ends and a no-break space",
         QByteArray("\xef\xbb\xbf\xe3\x81\x82\r\n\xe3\x81\x84\n\xe3\x81\x86\xc2\xa0x\r\xe3\x81\x88\n"),
         [](QTextDocument &t) {
             Type(t, 1, QStringLiteral("\nZ"));
             Remove(t, 5, 7);
             Type(t, 6, QString(QChar::Nbsp));
         }},
        {"a line longer than a display block among mixed ends",
         "ab\r" + QByteArray(2 * DisplayBlocks::MaxBlockChars + 3, 'x') + "\ncd\r\n",
         [](QTextDocument &t) {
             Type(t, 3 + DisplayBlocks::PieceChars + 1, QStringLiteral("Q"));
             Remove(t, 3 + DisplayBlocks::PieceChars - 1, 3 + DisplayBlocks::PieceChars + 3);
             Type(t, t.characterCount() - 1, QStringLiteral("\nnew"));
         }},
        {"a new document",
         {},
         [](QTextDocument &t) { Type(t, 0, QStringLiteral("新しい\n文書\u00a0です")); }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QTextDocument text;
        FixedOptions options;
        Document lost(&options);
        lost.attach(&text);
        RecoveryKeeper keeper(lost, &text, folder(), nullptr, 0ms);
        ASSERT_TRUE(keeper.active());
        if (row.file.isEmpty()) {
            lost.startNew(path(QStringLiteral("newtext.txt")));
        } else {
            WriteFileBytes(path(QStringLiteral("doc.txt")), row.file);
            ASSERT_TRUE(lost.load(path(QStringLiteral("doc.txt"))).done());
        }
        row.edit(text);
        text.setModified(true);
        ASSERT_TRUE(keeper.flush());
        const auto agree = [](QStringView, qsizetype) { return true; };
        ASSERT_TRUE(lost.save(path(QStringLiteral("lost.txt")), agree).done());

        const std::optional<RecoveryCopy> copy = ReadRecoveryCopy(keeper.copyFile()).copy;
        ASSERT_TRUE(copy.has_value());
        EXPECT_FALSE(copy->torn);
        QTextDocument restoredText;
        Document restored(&options);
        restored.attach(&restoredText);
        restored.restore(copy->state, copy->text.text);
        SetLineStates(restoredText, copy->text.lineStates);
        EXPECT_TRUE(restoredText.isModified());
        EXPECT_EQ(restored.path(), lost.path());
        EXPECT_EQ(restored.format(), lost.format());
        ASSERT_TRUE(restored.save(path(QStringLiteral("restored.txt")), agree).done());
        EXPECT_EQ(ReadFileBytes(path(QStringLiteral("restored.txt"))),
                  ReadFileBytes(path(QStringLiteral("lost.txt"))));
        if (!row.file.isEmpty()) {
            EXPECT_EQ(ReadFileBytes(path(QStringLiteral("doc.txt"))), row.file) << "the file is not touched";
        }
    }
}

// The first edit of a text that matches its file sends the whole text; a
// copy written before it arrives would hold the text without the edit (none
// at all, after opening) under the file's name.
TEST_F(RecoveryTest, NoCopyIsWrittenBeforeTheWholeTextArrives)
{
    const struct
    {
        const char *name;
        bool saveFirst; // the copy went with a save, and the mirror with it
    } rows[] = {{"a file just opened", false}, {"a document just saved", true}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        WriteFileBytes(path(QStringLiteral("doc.txt")), "abc\r\ndef\r\n");
        QPlainTextEdit editor;
        QTextDocument &text = *editor.document();
        FixedOptions options;
        Document document(&options);
        document.attach(&text);
        ASSERT_TRUE(document.load(path(QStringLiteral("doc.txt"))).done());
        RecoveryKeeper keeper(document, &text, folder(), nullptr, 0ms);
        if (row.saveFirst) {
            Type(text, 0, QStringLiteral("s"));
            ASSERT_TRUE(keeper.flush());
            text.setModified(false);
            QCoreApplication::processEvents();
            ASSERT_TRUE(keeper.flush());
        }
        Type(text, 0, QStringLiteral("Z"));
        // The writer looks for news every 200 ms; the whole text waits for the event loop.
        std::this_thread::sleep_for(450ms);
        const std::optional<RecoveryCopy> early = ReadRecoveryCopy(keeper.copyFile()).copy;
        EXPECT_TRUE(!QFileInfo::exists(keeper.copyFile()) || (early && early->text.text.startsWith(u'Z')));
        QCoreApplication::processEvents();
        ASSERT_TRUE(keeper.flush());
        EXPECT_TRUE(ReadRecoveryCopy(keeper.copyFile()).copy->text.text.startsWith(u'Z'));
    }
}

// A text that matches its file has nothing to recover: no mirror is kept, the
// first edit sends the whole text once, and a save drops it again.
TEST_F(RecoveryTest, NoMirrorWithoutUnsavedChanges)
{
    QPlainTextEdit editor;
    editor.setPlainText(QStringLiteral("saved\ntext"));
    FixedOptions options;
    Document document(&options);
    document.attach(editor.document());
    RecoveryKeeper keeper(document, editor.document(), folder(), nullptr, 0ms);
    EXPECT_TRUE(keeper.mirror().text.isEmpty());
    EXPECT_EQ(keeper.wholeTextsSent(), 0);
    QTextCursor(editor.document()).insertText(QStringLiteral("a"));
    QCoreApplication::processEvents();
    EXPECT_EQ(keeper.mirror().text, editor.document()->toRawText());
    QTextCursor(editor.document()).insertText(QStringLiteral("b"));
    QCoreApplication::processEvents();
    EXPECT_EQ(keeper.mirror().text, editor.document()->toRawText());
    EXPECT_EQ(keeper.wholeTextsSent(), 1) << "typing after the first edit sends edits";
    editor.document()->setModified(false);
    QCoreApplication::processEvents();
    EXPECT_TRUE(keeper.mirror().text.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(keeper.copyFile())) << "nothing unsaved, no copy";
}

// Keys typed in a line held as display blocks send the whole text at most
// twice a second, not once a key, and the copy still ends up exact.
TEST_F(RecoveryTest, KeysInALongLineSendTheWholeTextOnceTheySettle)
{
    WriteFileBytes(path(QStringLiteral("long.txt")), QByteArray(3 * DisplayBlocks::MaxBlockChars, 'x'));
    QPlainTextEdit editor; // a document reports edits once it is laid out
    QTextDocument &text = *editor.document();
    FixedOptions options;
    Document document(&options);
    document.attach(&text);
    ASSERT_TRUE(document.load(path(QStringLiteral("long.txt"))).done());
    ASSERT_TRUE(DisplayBlocks::HasSoftBreaks(text));
    RecoveryKeeper keeper(document, &text, folder(), nullptr, 0ms);
    text.setModified(true);
    for (int key = 0; key < 20; ++key) {
        QTextCursor cursor(&text);
        DisplayBlocks::InsertText(cursor, QStringLiteral("k"));
        QCoreApplication::processEvents();
    }
    EXPECT_LE(keeper.wholeTextsSent(), 2) << "not one whole text a key";
    EXPECT_EQ(keeper.mirror().text, DisplayBlocks::RawText(text));
}

// The writer's mirror of the text and line marks follows every kind of edit
// the editor makes.
TEST_F(RecoveryTest, TheMirrorFollowsTheEditor)
{
    const QString lines = QStringLiteral("一行目\n二行目 two\nthree\u00a0三\nfour");
    const struct
    {
        const char *name;
        std::function<void(QPlainTextEdit &)> edit;
        int wholeTexts; // sent instead of edits: typing must not need any
    } rows[] = {
        {"typing, line breaks and joins",
         [](QPlainTextEdit &e) {
             QTextCursor c = e.textCursor();
             c.setPosition(2);
             for (const QChar ch : QStringLiteral("あa\u00a0"))
                 c.insertText(QString(ch));
             c.deleteChar();
             c.insertBlock();
             c.deleteChar();
             c.movePosition(QTextCursor::EndOfBlock);
             c.deleteChar();
             c.setPosition(1);
             c.setPosition(12, QTextCursor::KeepAnchor);
             c.removeSelectedText();
         },
         0},
        {"undo and redo",
         [](QPlainTextEdit &e) {
             QTextCursor c = e.textCursor();
             c.setPosition(4);
             c.insertText(QStringLiteral("x\ny"));
             c.setPosition(0);
             c.setPosition(9, QTextCursor::KeepAnchor);
             c.removeSelectedText();
             e.undo();
             e.undo();
             e.redo();
         },
         0},
        {"a large paste, then typing",
         [](QPlainTextEdit &e) {
             QTextCursor c = e.textCursor();
             c.setPosition(3);
             c.insertText(QStringLiteral("0123456789\n").repeated(8000));
             c.insertText(QStringLiteral("after"));
         },
         1},
        {"a new text with line marks, then typing",
         [](QPlainTextEdit &e) {
             e.setPlainText(QStringLiteral("a\nb\nc"));
             QTextBlock b = e.document()->findBlockByNumber(1);
             b.setUserState(2);
             e.document()->findBlockByNumber(2).setUserState(1);
             QTextCursor c(b);
             c.insertText(QStringLiteral("typed\n"));
         },
         1},
        {"a format change",
         [](QPlainTextEdit &e) {
             QTextCursor c = e.textCursor();
             c.setPosition(1);
             c.setPosition(20, QTextCursor::KeepAnchor);
             QTextCharFormat blue;
             blue.setForeground(Qt::blue);
             c.mergeCharFormat(blue);
             c.setPosition(5);
             c.insertText(QStringLiteral("z"));
         },
         0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QPlainTextEdit editor;
        editor.setPlainText(lines);
        editor.document()->findBlockByNumber(1).setUserState(0);
        editor.document()->setModified(true); // unsaved edits: the writer mirrors the text
        FixedOptions options;
        Document document(&options);
        document.attach(editor.document());
        RecoveryKeeper keeper(document, editor.document(), folder(), nullptr, 0ms);
        const int before = keeper.wholeTextsSent();
        row.edit(editor);
        QCoreApplication::processEvents();
        const RecoveryText mirror = keeper.mirror();
        EXPECT_EQ(mirror.text, editor.document()->toRawText());
        EXPECT_EQ(mirror.lineStates, LineStates(*editor.document()));
        EXPECT_EQ(keeper.wholeTextsSent() - before, row.wholeTexts);
    }
}

// What is on disk after each flush reads back as the writer's mirror, through
// appended edits, folded journals, a new whole text and an unmodified spell.
TEST_F(RecoveryTest, TheCopyOnDiskFollowsTheWriter)
{
    const QString file = path(QStringLiteral("copy.qrec"));
    const DocumentState state{path(QStringLiteral("a.txt")), {}, {}, false, {}};
    const RecoveryEdit typing{0, 0, QStringLiteral("x"), 0, QByteArray(1, char(-1))};
    const RecoveryEdit longLine{0, 0, QString(4096, u'y'), 0, QByteArray(1, char(-1))};
    const RecoveryEdit newLine{1, 0, QStringLiteral("\u2029"), 0, QByteArray("\xff\x02", 2)};
    const struct
    {
        const char *name;
        std::function<void(RecoveryWriter &)> ops;
        bool onDisk;
        qint64 mostBytes; // of the file
    } rows[] = {
        {"edits appended",
         [&](RecoveryWriter &w) {
             w.post(typing);
             w.post(newLine);
             w.post(typing);
         },
         true, 4096},
        {"a journal past its floor is folded",
         [&](RecoveryWriter &w) {
             for (int i = 0; i < 600; ++i) {
                 w.post(i % 2 == 0 ? longLine : RecoveryEdit{0, 4096, {}, 0, QByteArray(1, char(-1))});
                 if (i % 10 == 0)
                     w.flush();
             }
         },
         true, 3 << 19},
        {"a whole new text, then edits",
         [&](RecoveryWriter &w) {
             w.post(typing);
             w.reset({QStringLiteral("new\u2029text"), QByteArray("\x01\x02", 2)});
             w.post(newLine);
         },
         true, 4096},
        {"saved",
         [&](RecoveryWriter &w) {
             w.post(typing);
             w.flush();
             w.setState(state, false);
         },
         false, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        RecoveryWriter writer(file, 0ms);
        writer.reset({QStringLiteral("base"), QByteArray(1, char(-1))});
        writer.setState(state, true);
        row.ops(writer);
        const RecoveryText mirror = writer.mirror();
        const std::optional<RecoveryCopy> copy = ReadRecoveryCopy(file).copy;
        ASSERT_EQ(copy.has_value(), row.onDisk);
        if (!copy)
            continue;
        EXPECT_EQ(copy->text, mirror);
        EXPECT_FALSE(copy->torn);
        EXPECT_LE(QFileInfo(file).size(), row.mostBytes);
    }
}

// An edit that does not fit the mirror is reported, and a whole text puts the
// copy right again.
TEST_F(RecoveryTest, AnEditThatDoesNotFitAsksForTheWholeText)
{
    const QString file = path(QStringLiteral("copy.qrec"));
    RecoveryWriter writer(file, 0ms);
    writer.reset({QStringLiteral("base"), QByteArray(1, char(-1))});
    writer.setState({path(QStringLiteral("a.txt")), {}, {}, false, {}}, true);
    writer.post({99, 5, QStringLiteral("z"), 0, QByteArray(1, char(-1))});
    EXPECT_FALSE(writer.flush());
    EXPECT_TRUE(writer.lostTrack());
    const RecoveryText whole{QStringLiteral("whole\u2029again"), QByteArray("\xff\x01", 2)};
    writer.reset(whole);
    EXPECT_TRUE(writer.flush());
    EXPECT_FALSE(writer.lostTrack());
    const std::optional<RecoveryCopy> copy = ReadRecoveryCopy(file).copy;
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->text, whole);
}

TEST_F(RecoveryTest, ATornLastRecordLeavesTheCopyBeforeIt)
{
    const DocumentState state{path(QStringLiteral("a.txt")), {}, {}, false, {}};
    const RecoveryText base{QStringLiteral("abc\u2029def"), QByteArray("\xff\x01", 2)};
    const RecoveryEdit first{3, 0, QStringLiteral("X"), 0, QByteArray("\xff", 1)};
    const RecoveryEdit second{0, 1, QStringLiteral("\u2029"), 0, QByteArray("\x02\xff", 2)};
    const QByteArray whole =
        RecoveryFileHead() + StateRecord(state) + TextRecord(base) + EditRecord(first) + EditRecord(second);
    const qsizetype lastSize = EditRecord(second).size();
    QByteArray flipped = whole;
    flipped[whole.size() - 4] = char(flipped[whole.size() - 4] ^ 0x20);
    const QString once = QStringLiteral("abcX\u2029def");
    const struct
    {
        const char *name;
        QByteArray bytes;
        std::optional<QString> text;
        bool torn;
    } rows[] = {
        {"whole", whole, QStringLiteral("\u2029bcX\u2029def"), false},
        {"last record cut in its check", whole.chopped(1), once, true},
        {"last record cut in its text", whole.chopped(5), once, true},
        {"only the type of the last record", whole.chopped(lastSize - 1), once, true},
        {"last record damaged", flipped, once, true},
        {"text record cut",
         whole.first(RecoveryFileHead().size() + StateRecord(state).size() + 10),
         {},
         true},
        {"not a copy", QByteArray("hello"), {}, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = path(QStringLiteral("copy.qrec"));
        WriteFileBytes(file, row.bytes);
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const std::optional<RecoveryCopy> copy = ReadRecoveryCopy(file).copy;
        ASSERT_EQ(copy.has_value(), row.text.has_value());
        if (!copy)
            continue;
        EXPECT_EQ(copy->text.text, *row.text);
        EXPECT_EQ(copy->text.lineStates.size(), copy->text.text.count(QChar::ParagraphSeparator) + 1);
        EXPECT_EQ(copy->torn, row.torn);
        EXPECT_EQ(copy->state.path, state.path);
    }
}

// Only a regular file of the user's own, private to them and of a copy's
// size is read: never a link (to /dev/zero), a FIFO or a huge sparse file.
TEST_F(RecoveryTest, OnlyPrivateCopiesAreRead)
{
    const DocumentState state{path(QStringLiteral("a.txt")), {}, {}, false, {}};
    const RecoveryText text{QStringLiteral("a"), QByteArray(1, char(-1))};
    const QString good = path(QStringLiteral("good.qrec"));
    ASSERT_TRUE(WriteRecoveryCopy(good, state, text).done());
    ASSERT_TRUE(ReadRecoveryCopy(good).copy.has_value()) << "the writer's copies are private";
    const auto make = [&](const QString &file, const QByteArray &bytes, mode_t mode) {
        WriteFileBytes(file, bytes);
        ::chmod(QFile::encodeName(file).constData(), mode);
    };
    const auto link = [](const char *target, const QString &file) {
        ASSERT_EQ(::symlink(target, QFile::encodeName(file).constData()), 0);
    };
    const bool root = ::geteuid() == 0;
    const struct
    {
        const char *name;
        std::function<void(const QString &)> make;
        bool read;       // a copy comes out
        QString refused; // why not; empty for a stub, which holds nothing
    } rows[] = {
        {"a private copy", [&](const QString &f) { make(f, ReadFileBytes(good), 0600); }, true, {}},
        {"readable by others", [&](const QString &f) { make(f, ReadFileBytes(good), 0644); }, false,
         QStringLiteral("ほかのユーザーも読めるファイルです")},
        {"a link to /dev/zero", [&](const QString &f) { link("/dev/zero", f); }, false,
         QStringLiteral("シンボリックリンクです")},
        {"a link to a private copy", [&](const QString &f) { link(QFile::encodeName(good).constData(), f); },
         false, QStringLiteral("シンボリックリンクです")},
        {"a FIFO", [](const QString &f) { ::mkfifo(QFile::encodeName(f).constData(), 0600); }, false,
         QStringLiteral("名前付きパイプ (FIFO)です")},
        {"a 3 GB sparse file",
         [&](const QString &f) {
             make(f, RecoveryFileHead(), 0600);
             ASSERT_TRUE(QFile::resize(f, 3LL << 30));
         },
         false, QStringLiteral("復元用のコピーとしては大きすぎます")},
        {"another user's (root only)",
         [&](const QString &f) {
             make(f, ReadFileBytes(good), 0600);
             if (root) {
                 ASSERT_EQ(::chown(QFile::encodeName(f).constData(), 65534, 65534), 0);
             }
         },
         !root, root ? QStringLiteral("ほかのユーザーのファイルです") : QString()},
        {"not a copy", [&](const QString &f) { make(f, "hello", 0600); }, false,
         QStringLiteral("復元用のコピーではありません")},
        {"a stub: the head cut short",
         [&](const QString &f) { make(f, RecoveryFileHead().first(5), 0600); },
         false,
         {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = path(QStringLiteral("copy.qrec"));
        row.make(file);
        const RecoveryRead read = ReadRecoveryCopy(file);
        EXPECT_EQ(read.copy.has_value(), row.read);
        EXPECT_EQ(read.refused, row.refused);
        ::unlink(QFile::encodeName(file).constData());
    }
}

// What ended instances left: whole copies are offered (a whole copy whose
// rename was cut short too), stubs and unfinished copies go, unreadable ones
// are named, and nothing a running instance holds is touched. No lock file
// stays once the copies are let go.
TEST_F(RecoveryTest, LeftoversAreOfferedRemovedOrNamed)
{
    const DocumentState state{path(QStringLiteral("a.txt")), {}, {}, false, {}};
    const RecoveryText text{QStringLiteral("kept"), QByteArray(1, char(-1))};
    const QString whole = path(QStringLiteral("whole.qrec"));
    ASSERT_TRUE(WriteRecoveryCopy(whole, state, text).done());
    const QByteArray copy = ReadFileBytes(whole);
    const QByteArray unfinished = copy.first(copy.size() - 3);
    const QByteArray stub = RecoveryFileHead() + StateRecord(state);
    const struct
    {
        const char *name;
        std::vector<std::pair<const char *, QByteArray>> files; // "@" + target: a link
        bool running;
        int offered;
        int unreadable;
        QStringList left;
    } rows[] = {
        {"a copy and an unfinished new one",
         {{"id.qrec", copy}, {"id.qrec.new", unfinished}},
         false,
         1,
         0,
         {"id.qrec"}},
        {"killed in the first whole copy", {{"id.qrec", stub}, {"id.qrec.new", unfinished}}, false, 0, 0, {}},
        {"killed before the rename", {{"id.qrec", stub}, {"id.qrec.new", copy}}, false, 1, 0, {"id.qrec"}},
        {"a lock without a copy", {{"id.lock", {}}}, false, 0, 0, {}},
        {"a link to /dev/zero", {{"id.qrec", "@/dev/zero"}}, false, 0, 1, {"id.qrec"}},
        {"its instance runs",
         {{"id.qrec", stub}, {"id.qrec.new", unfinished}},
         true,
         0,
         0,
         {"id.lock", "id.qrec", "id.qrec.new"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        for (const auto &[name, bytes] : row.files) {
            const QByteArray file = QFile::encodeName(folder() + u'/' + QLatin1String(name));
            if (bytes.startsWith('@')) {
                ASSERT_EQ(::symlink(bytes.constData() + 1, file.constData()), 0);
                continue;
            }
            WriteFileBytes(QFile::decodeName(file), bytes);
            ::chmod(file.constData(), 0600);
        }
        std::optional<RecoveryLock> instance;
        if (row.running)
            instance.emplace(folder(), QStringLiteral("id"));
        RecoveryLeftovers found = FindRecoveryLeftovers({folder()});
        ASSERT_EQ(int(found.copies.size()), row.offered);
        EXPECT_EQ(int(found.unreadable.size()), row.unreadable);
        for (LeftCopy &left : found.copies) {
            EXPECT_EQ(left.copy.file, folder() + QStringLiteral("/id.qrec"));
            EXPECT_EQ(ReadRecoveryCopy(left.copy.file).copy->text, text);
            left.lock->letGo();
        }
        EXPECT_EQ(QDir(folder()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), row.left);
    }
}

} // namespace
