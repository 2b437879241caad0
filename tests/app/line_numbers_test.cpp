// The line-number gutter: real line numbers, one for a line held in pieces
// and one for a wrapped line, following scrolls and edits.
#include "display_blocks.h"
#include "document_editor.h"

#include <QApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace {

using Number = DocumentEditor::GutterNumber;

QList<int> Lines(const DocumentEditor &editor)
{
    QList<int> lines;
    for (const Number &n : editor.gutterNumbers())
        lines << n.line;
    return lines;
}

struct Gutter : ::testing::Test
{
    DocumentEditor editor;
    Gutter()
    {
        editor.resize(400, 300);
        editor.show();
    }
    void set(const QString &text)
    {
        editor.clear();
        QTextCursor cursor(editor.document());
        DisplayBlocks::InsertHeld(cursor, text);
        QApplication::processEvents();
    }
};

TEST_F(Gutter, OffByDefaultAndOnByTheSettingsName)
{
    EXPECT_FALSE(editor.lineNumbers());
    EXPECT_EQ(editor.viewport()->geometry().left(), editor.contentsRect().left());
    editor.setProperty("lineNumbers", true); // as the settings set it
    EXPECT_TRUE(editor.lineNumbers());
    EXPECT_GT(editor.viewport()->geometry().left(), editor.contentsRect().left());
    editor.setLineNumbers(false);
    EXPECT_EQ(editor.viewport()->geometry().left(), editor.contentsRect().left());
}

TEST_F(Gutter, OneNumberForALineInPiecesOrWrapped)
{
    editor.setLineNumbers(true);
    const QString longLine = QString(DisplayBlocks::MaxBlockChars + 10, u'x');
    const struct
    {
        QPlainTextEdit::LineWrapMode wrap;
        QString text;
        QList<int> lines;
    } cases[] = {
        {QPlainTextEdit::NoWrap, QStringLiteral("a\nb\n\nc"), {1, 2, 3, 4}},
        // The long line's pieces are display blocks after the first: no number.
        {QPlainTextEdit::NoWrap, QStringLiteral("a\n") + longLine + QStringLiteral("\nb"), {1, 2, 3}},
        // Wrapped, the long line fills the view: only its number shows.
        {QPlainTextEdit::WidgetWidth, QStringLiteral("a\n") + longLine + QStringLiteral("\nb"), {1, 2}},
        {QPlainTextEdit::WidgetWidth, QStringLiteral("ab ").repeated(100) + QStringLiteral("\nc"), {1, 2}},
    };
    for (const auto &c : cases) {
        editor.setLineWrapMode(c.wrap);
        set(c.text);
        ASSERT_EQ(DisplayBlocks::LineCount(*editor.document()), c.text.count(u'\n') + 1);
        EXPECT_EQ(Lines(editor), c.lines) << c.text.left(20).toStdString();
    }
}

TEST_F(Gutter, FollowsScrollsAndEdits)
{
    editor.setLineNumbers(true);
    editor.setLineWrapMode(QPlainTextEdit::NoWrap);
    QStringList lines;
    for (int i = 0; i < 500; ++i)
        lines << QString::number(i + 1);
    // A line held in pieces before the view.
    lines[10] = QString(DisplayBlocks::MaxBlockChars * 2, u'y');
    set(lines.join(u'\n'));
    editor.verticalScrollBar()->setValue(editor.verticalScrollBar()->maximum() / 2);
    // Each number is that of the line whose text shows beside it; line k holds
    // "k" less the lines added above it.
    const auto expectBeside = [this](int added) {
        QApplication::processEvents();
        const QList<Number> shown = editor.gutterNumbers();
        ASSERT_GT(shown.size(), 3);
        for (const Number &n : shown) {
            const QTextBlock block = editor.cursorForPosition(QPoint(1, n.top + 2)).block();
            EXPECT_EQ(DisplayBlocks::LineNumber(block) + 1, n.line);
            EXPECT_EQ(block.text(), QString::number(n.line - added));
        }
    };
    expectBeside(0);
    QTextCursor cursor(editor.document());
    cursor.insertText(QStringLiteral("\n\n"));
    expectBeside(2);
}

} // namespace
