#include "editor_text.h"
#include "tag_colours.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

using TextTools::TextRanges;

TEST(TagColours, TagsAreColouredCharacterByCharacter)
{
    const struct
    {
        QString text;
        QString blue;
    } cases[] = {
        {QStringLiteral("<a>\n<b>x"), QStringLiteral("bbb/bbb.")},
        {QStringLiteral("a < b\nc"), QStringLiteral("..b../.")},
        {QStringLiteral("<p>日本語</p>"), QStringLiteral("bbb...bbbb")},
    };
    QPlainTextEdit editor;
    auto *colours = new TagColours(&editor); // the text owns it
    for (const auto &c : cases) {
        editor.clear();
        editor.insertPlainText(c.text);
        colours->colourAll();
        EXPECT_EQ(BlueMap(editor), c.blue) << c.text.toStdString();
        EXPECT_TRUE(editor.document()->isModified()) << "the save question still comes";
        EXPECT_TRUE(editor.document()->isUndoAvailable()) << "colouring keeps undo";
    }
    // Colour goes when its tags go.
    QTextCursor cursor(editor.document());
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, 3);
    cursor.insertText(QStringLiteral("abc"));
    colours->colourAll();
    EXPECT_EQ(BlueMap(editor), QStringLiteral("......bbbb"));
}

// The timer's tick colours typing near the caret only once colouring runs, the setting allows it
// and the user changed the text since the last tick.
TEST(TagColours, TheTickColoursTypingNearTheCaret)
{
    enum Start { NotShown, Shown, ColouredAll };
    const struct
    {
        const char *what;
        Start start;
        bool automatic;
        bool forget; // the program changed the text after the typing
        bool modified;
        TextRanges blue;
        bool changedAfter;
    } rows[] = {
        {"shown", Shown, true, false, true, {{5, 3}}, false},
        {"after colouring all", ColouredAll, true, false, true, {{5, 3}}, false},
        {"before the first show", NotShown, true, false, true, {}, true},
        {"setting off", Shown, false, false, true, {}, true},
        {"changed by the program", Shown, true, true, true, {}, false},
        {"saved since", Shown, true, false, false, {}, false},
    };
    for (const auto &row : rows) {
        QPlainTextEdit editor;
        auto *colours = new TagColours(&editor);
        editor.setPlainText(QStringLiteral("text "));
        if (row.start == Shown)
            colours->enableNearCaret();
        if (row.start == ColouredAll)
            colours->colourAll();
        editor.moveCursor(QTextCursor::End);
        editor.insertPlainText(QStringLiteral("<i>x"));
        if (row.forget)
            colours->forgetChange();
        editor.document()->setModified(row.modified);
        colours->tick(row.automatic);
        EXPECT_EQ(colours->blue(), row.blue) << row.what;
        EXPECT_EQ(colours->changed(), row.changedAfter) << row.what;
    }
}

TEST(TagColours, ColouringAllTakesTheMarksAway)
{
    QPlainTextEdit editor;
    auto *colours = new TagColours(&editor);
    editor.setPlainText(QStringLiteral("<p>a</p> <b>"));
    colours->setMarks({{4, 1}});
    colours->colourAll();
    EXPECT_EQ(colours->blue(), (TextRanges{{0, 3}, {4, 4}, {9, 3}}));
    // No red left where the mark was.
    const QTextLayout *layout = editor.document()->findBlock(4).layout();
    for (const QTextLayout::FormatRange &range : layout->formats())
        EXPECT_NE(range.format.foreground().color(), QColor(255, 0, 0));
}

} // namespace
