// The findings pane on a real editor: the rows of a check, and the caret put
// at a finding by Enter or a double click, also in a line held in pieces.
#include "display_blocks.h"
#include "document_editor.h"
#include "html_check_pane.h"

#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

struct Pane
{
    QWidget window;
    DocumentEditor *editor = new DocumentEditor(&window);
    QString path = QStringLiteral("/nowhere/page.html");
    HtmlCheckPane *pane = new HtmlCheckPane(
        editor,
        [this] {
            return HtmlCheck::CheckInput{text, path, NewUtf8Format, false};
        },
        &window);
    QString text;

    Pane()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(editor);
        layout->addWidget(pane);
        window.resize(640, 480);
    }
    void set(const QString &t)
    {
        text = t;
        editor->clear();
        QTextCursor cursor(editor->document());
        DisplayBlocks::InsertHeld(cursor, t);
    }
    // The caret's place in the text as stored.
    qsizetype caret() const
    {
        return DisplayBlocks::SoftBreaks(*editor->document()).stored(editor->textCursor().position());
    }
};

TEST(HtmlCheckPane, PlacesTheCaretAtALineAndCharacter)
{
    Pane p;
    const QString longLine = QStringLiteral("x").repeated(3 * DisplayBlocks::MaxBlockChars);
    p.set(QStringLiteral("一行目\n😀<b>\n") + longLine + QStringLiteral("\n末"));
    const qsizetype third = 10; // "一行目\n😀<b>\n", the emoji two code units
    const struct
    {
        qsizetype line, column, stored;
    } rows[] = {
        {1, 1, 0},
        {1, 3, 2},
        {2, 2, 6}, // after the emoji, one character of two code units
        {3, 2 * DisplayBlocks::MaxBlockChars + 5, third + 2 * DisplayBlocks::MaxBlockChars + 4},
        {1, 99, 3},                                           // past the line's end: its end
        {9, 1, third + 3 * DisplayBlocks::MaxBlockChars + 1}, // past the last line: the last one
    };
    ASSERT_TRUE(DisplayBlocks::HasSoftBreaks(*p.editor->document()));
    for (const auto &row : rows) {
        PlaceCaret(p.editor, row.line, row.column);
        EXPECT_EQ(p.caret(), row.stored) << row.line << ":" << row.column;
    }
}

TEST(HtmlCheckPane, ListsTheFindingsAndGoesToOneOnEnterOrDoubleClick)
{
    Pane p;
    p.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p.window));
    p.set(QStringLiteral("<!DOCTYPE html>\n<html><head><title>t</title></head>\n<body>\n<p><b>太字</p>\n"
                         "<zork>謎</zork>\n</body></html>\n"));
    QSignalSpy listed(p.pane, &HtmlCheckPane::listed);
    p.pane->check();
    ASSERT_TRUE(listed.wait(10000));
    QTreeWidget *list = p.pane->list();
    ASSERT_GE(list->topLevelItemCount(), 3);
    QStringList first;
    for (int c = 0; c < 4; ++c)
        first << list->topLevelItem(0)->text(c);
    // No charset declared: a warning at the top.
    EXPECT_EQ(first.mid(0, 3), (QStringList{"1", "1", "警告"}));

    QTreeWidgetItem *bold = list->findItems(QStringLiteral("</b>"), Qt::MatchContains, 3).value(0);
    ASSERT_NE(bold, nullptr);
    list->setCurrentItem(bold);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(p.caret(),
              QStringLiteral("<!DOCTYPE html>\n<html><head><title>t</title></head>\n<body>\n<p>").size());

    QTreeWidgetItem *zork = list->findItems(QStringLiteral("<zork>"), Qt::MatchContains, 3).value(0);
    ASSERT_NE(zork, nullptr);
    const QRect rect = list->visualItemRect(zork);
    // As a mouse sends it: a click, then the double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(p.editor->textCursor().blockNumber(), 4);
    EXPECT_EQ(p.editor->textCursor().positionInBlock(), 0);
    EXPECT_TRUE(p.editor->hasFocus());
}

} // namespace
