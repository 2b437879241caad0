// The writing tools on a real editor: selection or whole text, HTML markup
// kept, one undo step, long lines held in pieces; the counts and the
// character at the caret.
#include "caret_character_panel.h"
#include "count_dialog.h"
#include "display_blocks.h"
#include "document.h"
#include "document_editor.h"
#include "editor_options.h"
#include "stored_text.h"
#include "writing_commands.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

using Tool = WritingCommands::Tool;

struct Tools
{
    QWidget window;
    DocumentEditor *editor = new DocumentEditor(&window);
    FixedOptions options;
    Document document{&options};
    QMenu *menu = new QMenu(&window);
    WritingCommands *commands;

    Tools()
    {
        document.attach(editor->document());
        menu->addAction(QStringLiteral("前"));
        menu->addSeparator()->setObjectName(QStringLiteral("N6"));
        commands = new WritingCommands(editor, &document, menu, "N6", &window);
    }
    void set(const QString &text, int from = 0, int to = 0)
    {
        editor->clear();
        QTextCursor cursor(editor->document());
        DisplayBlocks::InsertHeld(cursor, text);
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    }
    QString text() const { return TextTools::StoredText(*editor->document()); }
};

TEST(WritingCommands, RewriteSelectionOrWholeAsOneUndoStep)
{
    Tools tools;
    const struct
    {
        const char *path;
        const char16_t *text;
        int from, to;
        Tool tool;
        const char16_t *expected;
    } cases[] = {
        {"a.txt", u"ｶﾞｷﾞ\n<ｱ>", 0, 0, Tool::HalfKanaToFull, u"ガギ\n<ア>"},
        {"a.html", u"ｶﾞｷﾞ\n<ｱ>&ｱ;&amp;", 0, 0, Tool::HalfKanaToFull, u"ガギ\n<ｱ>&ア;&amp;"},
        {"a.txt", u"ab cd", 0, 2, Tool::HalfAlnumToFull, u"ａｂ cd"},
        {"a.txt", u"ab cd", 2, 5, Tool::HalfSpaceToFull, u"ab　cd"},
        {"a.txt", u"かな\nカナ", 3, 5, Tool::KatakanaToHiragana, u"かな\nかな"},
        {"a.txt", u"a<b é", 0, 0, Tool::ToReferences, u"a&lt;b &#xE9;"},
        {"a.txt", u"&lt;&#x1F600;", 0, 0, Tool::FromReferences, u"<&#x1F600;"},
    };
    for (const auto &c : cases) {
        tools.document.setPath(QString::fromLatin1(c.path));
        const QString text = QString::fromUtf16(c.text);
        tools.set(text, c.from, c.to);
        tools.editor->document()->clearUndoRedoStacks();
        tools.commands->action(c.tool)->trigger();
        EXPECT_EQ(tools.text(), QString::fromUtf16(c.expected)) << c.path << " " << text.toStdString();
        tools.editor->undo();
        EXPECT_EQ(tools.text(), text) << "undo";
        EXPECT_FALSE(tools.editor->document()->isUndoAvailable());
    }
}

TEST(WritingCommands, LongLineHeldInPiecesIsOneLine)
{
    Tools tools;
    tools.document.setPath(QStringLiteral("a.txt"));
    const QString line = QString(DisplayBlocks::MaxBlockChars + 100, u'ｱ');
    tools.set(line + u'\n' + QStringLiteral("ｲ"));
    ASSERT_TRUE(DisplayBlocks::HasSoftBreaks(*tools.editor->document()));
    tools.commands->action(Tool::HalfKanaToFull)->trigger();
    EXPECT_EQ(tools.text(), QString(line.size(), u'ア') + u'\n' + QStringLiteral("イ"));
    EXPECT_EQ(DisplayBlocks::LineCount(*tools.editor->document()), 2);
}

TEST(WritingCommands, MenuEntriesBeforeTheFileSubmenu)
{
    Tools tools;
    QStringList captions;
    for (const QAction *action : tools.menu->actions())
        captions << (action->isSeparator() ? action->objectName() : action->text());
    EXPECT_EQ(captions, QStringList({"前", "文字種変換", "文字参照に変換", "文字参照を文字に戻す",
                                     "文字数を数える", "N6"}));
    EXPECT_EQ(tools.menu->actions()[1]->menu()->actions().size(), 8);
}

TEST(CountDialog, CountsAsideAndPagesFollowTheSize)
{
    Tools tools;
    tools.document.setPath(QStringLiteral("a.txt"));
    tools.set(QStringLiteral("か\u3099き\n\n") + QString(45, u'字'), 0, 3);
    tools.commands->action(Tool::CountCharacters)->trigger();
    CountDialog *dialog = tools.commands->countDialog();
    QSignalSpy counted(dialog, &CountDialog::counted);
    ASSERT_TRUE(dialog->counting() ? counted.wait(10000) : true);
    const struct
    {
        CountDialog::Row row;
        const char *whole, *selection;
    } rows[] = {
        {CountDialog::Characters, "49", "2"},
        {CountDialog::Visible, "47", "2"},
        {CountDialog::Lines, "3", "1"},
        {CountDialog::Bytes, "99", "5"}, // the combining mark is written as '?'
        {CountDialog::Pages, "1", "1"},
    };
    for (const auto &r : rows) {
        EXPECT_EQ(dialog->figure(r.row, CountDialog::Whole), QString::fromLatin1(r.whole)) << r.row;
        EXPECT_EQ(dialog->figure(r.row, CountDialog::Selection), QString::fromLatin1(r.selection)) << r.row;
    }
    dialog->rowsBox()->setValue(2); // 1 + 1 + 3 rows of 20
    EXPECT_EQ(dialog->figure(CountDialog::Pages, CountDialog::Whole), QStringLiteral("3"));
}

TEST(CaretCharacterPanel, CharacterAfterTheCaret)
{
    Tools tools;
    CaretCharacterPanel panel(
        tools.editor, [] { return DocumentFormat{}; }, &tools.window);
    const QString line = QString(DisplayBlocks::MaxBlockChars + 1, u'a') + QStringLiteral("あ\n");
    tools.set(line);
    const DisplayBlocks::SoftBreaks breaks(*tools.editor->document());
    ASSERT_FALSE(breaks.isEmpty());
    const struct
    {
        int position; // in the editor
        const char *shown;
    } cases[] = {
        {0, "U+0061 61"},
        // The end of a display block: the next block's first character, no line break.
        {tools.editor->document()->firstBlock().length() - 1, "U+0061 61"},
        {int(breaks.display(line.size() - 2)), "U+3042 82A0"},
        {int(breaks.display(line.size() - 1)), "U+000A 0D0A"},
        {int(breaks.display(line.size())), ""},
    };
    for (const auto &c : cases) {
        QTextCursor cursor = tools.editor->textCursor();
        cursor.setPosition(c.position);
        tools.editor->setTextCursor(cursor);
        EXPECT_EQ(panel.text(), QString::fromUtf8(c.shown)) << c.position;
    }
    tools.editor->moveCursor(QTextCursor::Start);
    tools.editor->textCursor().insertText(QStringLiteral("漢"));
    tools.editor->moveCursor(QTextCursor::Start);
    EXPECT_EQ(panel.text(), QStringLiteral("U+6F22 8ABF"));
    EXPECT_EQ(panel.toolTip(), QStringLiteral("CJK UNIFIED IDEOGRAPH-6F22"));
}

} // namespace
