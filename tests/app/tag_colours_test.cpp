#include "tag_colours.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

using TextTools::TextRanges;

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
