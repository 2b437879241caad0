// The editing area's text control alone: its tab stops, its size limit and
// the wrapping and keeping of very long lines.
#include "display_blocks.h"
#include "document.h"
#include "document_codec.h"
#include "document_editor.h"
#include "editor_options.h"
#include "long_lines.h"
#include "stored_text.h"
#include "test_files.h"

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// An editor with a document loading files into it.
class DocumentEditorTest : public ::testing::Test
{
protected:
    DocumentEditorTest() { document.attach(editor.document()); }
    // Writes `bytes` as the file `name` and loads it.
    void Load(const QString &name, const QByteArray &bytes)
    {
        WriteFileBytes(dir.filePath(name), bytes);
        auto r = document.load(dir.filePath(name));
        ASSERT_TRUE(r.done()) << r.message.toStdString();
    }

    QTemporaryDir dir;
    DocumentEditor editor;
    FixedOptions options;
    Document document{&options};
};

TEST(DocumentEditor, TabIsEightHalfWidthColumnsInEveryFontSize)
{
    DocumentEditor editor;
    for (const int points : {9, 12, 20}) {
        QFont font = editor.font();
        font.setPointSize(points);
        editor.setFont(font);
        EXPECT_DOUBLE_EQ(editor.tabStopDistance(), 8 * QFontMetricsF(font).horizontalAdvance(u' ')) << points;
    }
}

TEST(DocumentEditor, NoEditPassesTheDocumentLimit)
{
    DocumentEditor editor;
    editor.setPlainText(QStringLiteral("ab"));
    EXPECT_TRUE(editor.fits(MaxDocumentChars - 2));
    EXPECT_FALSE(editor.fits(MaxDocumentChars - 1));
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    EXPECT_TRUE(editor.fits(MaxDocumentChars)) << "the selection goes away";
}

TEST_F(DocumentEditorTest, VeryLongLinesWrapAnywhere)
{
    new LongLineWrap(&editor);
    Load(QStringLiteral("long.txt"), QByteArray(LongLineChars + 10, 'a'));
    EXPECT_EQ(editor.wordWrapMode(), QTextOption::WrapAnywhere);
    Load(QStringLiteral("short.txt"), "words and words\r\n");
    EXPECT_EQ(editor.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    editor.insertPlainText(QString(LongLineChars, u'b'));
    EXPECT_EQ(editor.wordWrapMode(), QTextOption::WrapAnywhere) << "a pasted long line";
}

// Long lines are held as display blocks: saved as they were read, and a
// key typed anywhere in them changes that character only.
TEST_F(DocumentEditorTest, LongLinesSaveByteIdenticalAndEditOnlyWhatIsTyped)
{
    const auto save = [&](const QString &name) {
        auto r = document.save(dir.filePath(name), [](QStringView, qsizetype) { return false; });
        EXPECT_TRUE(r.done()) << r.message.toStdString();
        return ReadFileBytes(dir.filePath(name));
    };
    const QByteArray line(2 * DisplayBlocks::MaxBlockChars + 5, 'x');
    const struct
    {
        const char *name;
        QByteArray file;
        qsizetype typedAt; // a byte offset that is a character offset too; -1: the end
    } cases[] = {
        {"Shift_JIS CR LF", line + "\r\ncd\r\n", DisplayBlocks::PieceChars},
        {"mixed ends", "ab\r" + line + "\ncd\r\n", 3 + 2 * DisplayBlocks::PieceChars + 1},
        {"one line, no end", line, DisplayBlocks::MaxBlockChars + 2},
        {"a character Shift_JIS has twice", QByteArray("\xED\x40", 2) + line + "\r\ncd", -1},
        {"UTF-8 with pairs",
         QString(DisplayBlocks::MaxBlockChars, QChar(u'日')).toUtf8() + "\xF0\x9F\x98\x80\n", -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Load(QStringLiteral("long.txt"), c.file);
        EXPECT_GT(editor.document()->blockCount(), 2);
        QApplication::processEvents();
        EXPECT_FALSE(editor.document()->isModified());
        const QTextDocument &text = *editor.document();
        EXPECT_EQ(DisplayBlocks::LineCount(text), TextTools::StoredText(text).count(u'\n') + 1);
        EXPECT_EQ(save(QStringLiteral("copy.txt")), c.file);

        QTextCursor cursor = editor.textCursor();
        const DisplayBlocks::SoftBreaks breaks(*editor.document());
        if (c.typedAt < 0)
            cursor.movePosition(QTextCursor::End);
        else
            cursor.setPosition(int(breaks.displayStart(c.typedAt)));
        editor.setTextCursor(cursor);
        QTest::keyClicks(&editor, QStringLiteral("Z"));
        QApplication::processEvents();
        QByteArray edited = c.file;
        edited.insert(c.typedAt < 0 ? edited.size() : c.typedAt, 'Z');
        EXPECT_EQ(save(QStringLiteral("edited.txt")), edited);
    }
}

TEST_F(DocumentEditorTest, KeysAndCopyAtASoftBreak)
{
    QByteArray line;
    for (int i = 0; i < 2 * DisplayBlocks::MaxBlockChars; ++i)
        line += char('a' + i % 26);
    const QByteArray file = "ab\r\n" + line + "\r\n";
    Load(QStringLiteral("long.txt"), file);
    const QString text = QString::fromLatin1(file).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const int soft = 3 + DisplayBlocks::PieceChars; // stored: the first character after the break
    ASSERT_TRUE(DisplayBlocks::ContinuesLine(DisplayBlocks::LineBlock(*editor.document(), 1).next()));
    const auto caret = [&] {
        return DisplayBlocks::SoftBreaks(*editor.document()).stored(editor.textCursor().position());
    };
    const auto put = [&](int storedAt) {
        QTextCursor cursor = editor.textCursor();
        cursor.setPosition(int(DisplayBlocks::SoftBreaks(*editor.document()).displayStart(storedAt)));
        editor.setTextCursor(cursor);
    };
    const struct
    {
        const char *name;
        int at; // stored
        Qt::Key key;
        int caretAfter;
        QString textAfter;
    } cases[] = {
        {"left over the break", soft, Qt::Key_Left, soft - 1, text},
        {"right over the break", soft - 1, Qt::Key_Right, soft, text},
        {"right after the break", soft, Qt::Key_Right, soft + 1, text},
        {"backspace at the break", soft, Qt::Key_Backspace, soft - 1, QString(text).remove(soft - 1, 1)},
        {"delete before the break", soft, Qt::Key_Delete, soft, QString(text).remove(soft, 1)},
        {"enter in the continued block", soft + 3, Qt::Key_Return, soft + 4,
         QString(text).insert(soft + 3, u'\n')},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        put(c.at);
        if (c.key == Qt::Key_Delete) {
            // The caret at the end of the block before the break.
            QTextCursor cursor = editor.textCursor();
            cursor.setPosition(DisplayBlocks::LineBlock(*editor.document(), 1).next().position() - 1);
            editor.setTextCursor(cursor);
        }
        QTest::keyClick(&editor, c.key);
        QApplication::processEvents();
        EXPECT_EQ(caret(), c.caretAfter);
        EXPECT_EQ(TextTools::StoredText(*editor.document()), c.textAfter);
        editor.undo();
        QApplication::processEvents();
        EXPECT_EQ(TextTools::StoredText(*editor.document()), text) << "one undo step";
    }

    // A selection over the break copies the characters, no break among them.
    put(soft + 10);
    QTest::keyClick(&editor, Qt::Key_Left);
    for (int i = 0; i < 14; ++i)
        QTest::keyClick(&editor, Qt::Key_Left, Qt::ShiftModifier);
    editor.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), text.mid(soft - 5, 14));
    EXPECT_FALSE(editor.document()->isModified());
    // Keys typed in a run are one undo step, as in any line.
    put(soft + 10);
    for (const QChar c : QStringLiteral("xyz")) {
        QTest::keyClicks(&editor, QString(c));
        QApplication::processEvents();
    }
    editor.undo();
    EXPECT_EQ(TextTools::StoredText(*editor.document()), text);
}

} // namespace
