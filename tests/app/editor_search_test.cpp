// The search bar's buttons run on a bare editor: find, replace and replace all.
#include "editor_search.h"
#include "search_bar.h"
#include "shine_speed_button.h"
#include "tag_colours.h"
#include "window_parts.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

class EditorSearchTest : public ::testing::Test
{
protected:
    EditorSearchTest() { bar->setVisible(true); }
    QString Text() const { return editor->toPlainText(); }
    QLineEdit *field(const char *name) const { return Part<QLineEdit>(bar, name); }
    TShineSpeedButton *button(const char *name) const { return Part<TShineSpeedButton>(bar, name); }

    QWidget window;
    QPlainTextEdit *editor = new QPlainTextEdit(&window);
    SearchBar *bar = new SearchBar(&window);
    TagColours *colours = new TagColours(editor); // the text owns it
    EditorSearch search{bar, editor, colours};
};

TEST_F(EditorSearchTest, FindSelectsEachMatchThenStartsAgainAtTheTop)
{
    editor->setPlainText(QStringLiteral("xabc <p>abc</p>"));
    field("Edit1")->setText(QStringLiteral("abc"));
    button("ShineSpeedButton4")->Click();
    EXPECT_EQ(editor->textCursor().selectedText(), QStringLiteral("abc"));
    EXPECT_EQ(editor->textCursor().selectionStart(), 1);
    EXPECT_TRUE(button("ShineSpeedButton6")->isEnabled());
    EXPECT_FALSE(editor->document()->isModified()) << "marking is no edit";
    button("ShineSpeedButton4")->Click();
    EXPECT_EQ(editor->textCursor().selectionStart(), 8);
    button("ShineSpeedButton4")->Click();
    EXPECT_FALSE(editor->textCursor().hasSelection()) << "not found: the caret goes to the end";
    EXPECT_FALSE(button("ShineSpeedButton6")->isEnabled());
    button("ShineSpeedButton4")->Click();
    EXPECT_EQ(editor->textCursor().selectionStart(), 1) << "and the next search starts at the top";

    field("Edit2")->setText(QStringLiteral("置換"));
    button("ShineSpeedButton6")->Click();
    EXPECT_EQ(Text(), QStringLiteral("x置換 <p>abc</p>"));
    EXPECT_FALSE(button("ShineSpeedButton6")->isEnabled());
}

TEST_F(EditorSearchTest, ReplaceAllUndoesInOneStep)
{
    const struct
    {
        QString text, search, replacement, after;
        bool matchCase;
    } cases[] = {
        {QStringLiteral("aaa"), QStringLiteral("a"), QStringLiteral("aa"), QStringLiteral("aaaaaa"), true},
        {QStringLiteral("aaa"), QStringLiteral("a"), QString(), QString(), true},
        {QStringLiteral("x\ny"), QStringLiteral("x[RET]y"), QStringLiteral("z[ret]"), QStringLiteral("z\n"),
         true},
        {QStringLiteral("ABC abc"), QStringLiteral("abc"), QStringLiteral("-"), QStringLiteral("- -"), false},
        {QStringLiteral("abc"), QString(), QStringLiteral("-"), QStringLiteral("abc"), true},
    };
    for (const auto &c : cases) {
        editor->setPlainText(c.text);
        field("Edit1")->setText(c.search);
        field("Edit2")->setText(c.replacement);
        Part<QCheckBox>(bar, "CheckBox5")->setChecked(c.matchCase);
        button("ShineSpeedButton7")->Click();
        EXPECT_EQ(Text(), c.after) << c.text.toStdString() << " / " << c.search.toStdString();
        if (c.after != c.text) {
            editor->undo();
            EXPECT_EQ(Text(), c.text) << "replace all undoes in one step";
        }
    }
}

} // namespace
