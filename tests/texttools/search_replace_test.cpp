#include "printers.h"
#include "search_replace.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

using namespace TextTools;

class SearchReplaceTest : public ::testing::Test
{
protected:
    void SetUp() override { editor.setPlainText(QString()); }

    void setText(const QString &text)
    {
        editor.setPlainText(text);
        editor.document()->setModified(false);
    }
    QString text() const { return editor.toPlainText(); }
    QString selected() const { return editor.textCursor().selectedText(); }

    QPlainTextEdit editor;
    SearchReplace search{&editor, 1000};
};

TEST_F(SearchReplaceTest, FindNextWrapsAfterTheLastMatch)
{
    setText("xx abc yy");
    EXPECT_EQ(search.findNext("abc", true), SearchOutcome::Done);
    EXPECT_EQ(selected(), "abc");
    EXPECT_TRUE(search.canReplace());
    EXPECT_EQ(search.searchPosition(), 6);
    EXPECT_EQ(search.marks(), (TextRanges{{3, 3}}));

    EXPECT_EQ(search.findNext("abc", true), SearchOutcome::NotFound);
    EXPECT_FALSE(editor.textCursor().hasSelection());
    EXPECT_EQ(editor.textCursor().position(), 9);
    EXPECT_FALSE(search.canReplace());
    EXPECT_EQ(search.searchPosition(), 0);

    EXPECT_EQ(search.findNext("abc", true), SearchOutcome::Done);
    EXPECT_EQ(editor.textCursor().selectionStart(), 3);
}

TEST_F(SearchReplaceTest, MatchCaseAndAsciiOnlyFolding)
{
    const struct
    {
        const char *text, *search;
        bool matchCase;
        qsizetype matches;
    } cases[] = {
        {"abc Abc ABC", "ABC", false, 3}, {"abc Abc ABC", "ABC", true, 1}, {"ａ a Ａ", "A", false, 1},
        {"全角ａ字", "a", false, 0},      {"日本 日本", "日本", false, 2}, {"a\nb", "A", false, 1},
    };
    for (const auto &c : cases) {
        setText(QString::fromUtf8(c.text));
        search.clearMarks();
        EXPECT_EQ(search.markAll(QString::fromUtf8(c.search), c.matchCase), SearchOutcome::Done);
        EXPECT_EQ(search.marks().size(), c.matches) << c.text << " / " << c.search;
    }
}

TEST_F(SearchReplaceTest, MarkingKeepsTheModifiedFlag)
{
    setText("a b a");
    EXPECT_EQ(search.markAll("a", true), SearchOutcome::Done);
    EXPECT_EQ(search.marks(), (TextRanges{{0, 1}, {4, 1}}));
    EXPECT_EQ(editor.textCursor().selectionStart(), 4);
    EXPECT_EQ(search.searchPosition(), -1);
    // From -1 the next search starts at the top.
    EXPECT_EQ(search.findNext("a", true), SearchOutcome::Done);
    EXPECT_EQ(editor.textCursor().selectionStart(), 0);
    EXPECT_FALSE(editor.document()->isModified());
    // Marks follow edits; a modified document stays modified.
    editor.document()->setModified(true);
    QTextCursor(editor.document()).insertText("zz");
    EXPECT_EQ(search.marks(), (TextRanges{{2, 1}, {6, 1}}));
    search.markAll("a", true);
    EXPECT_TRUE(editor.document()->isModified());
    EXPECT_EQ(search.marks(), (TextRanges{{2, 1}, {6, 1}}));
}

TEST_F(SearchReplaceTest, EmptySearchTextDoesNothing)
{
    setText("abc");
    QTextCursor caret = editor.textCursor();
    caret.setPosition(1);
    editor.setTextCursor(caret);
    EXPECT_EQ(search.findNext("", true), SearchOutcome::EmptySearch);
    EXPECT_EQ(search.markAll("", false), SearchOutcome::EmptySearch);
    EXPECT_EQ(search.replaceAll("", "x", true), SearchOutcome::EmptySearch);
    EXPECT_EQ(search.replaceAll("[RET]", "x", true), SearchOutcome::Done); // a line break: none here
    EXPECT_EQ(text(), "abc");
    EXPECT_FALSE(editor.textCursor().hasSelection());
    EXPECT_TRUE(search.marks().isEmpty());
}

TEST_F(SearchReplaceTest, ReplaceTheFoundMatch)
{
    setText("one two one");
    EXPECT_EQ(search.replace("one", "X", true), SearchOutcome::NotFound); // disabled before a find
    search.findNext("one", true);
    EXPECT_EQ(search.replace("one", "日本語", true), SearchOutcome::Done);
    EXPECT_EQ(text(), "日本語 two one");
    EXPECT_FALSE(search.canReplace());
    EXPECT_EQ(search.searchPosition(), 3); // not moved for the longer replacement
    EXPECT_EQ(search.marks(), (TextRanges{{0, 3}}));
    EXPECT_TRUE(editor.document()->isModified());
}

// After "検索", the user may select other text, move the caret or edit: "置換"
// replaces only the match itself, else finds the next one and changes nothing.
TEST_F(SearchReplaceTest, ReplaceOnlyWhatTheSelectionStillHoldsOfTheMatch)
{
    const struct
    {
        int selectFrom, selectTo; // -1: keep the found selection
        const char *typeAt0;      // typed at the start after the find, or null
        const char *after;
        const char *selectedAfter;
    } cases[] = {
        {-1, -1, nullptr, "XYZ def abc", ""},  // the match itself
        {4, 7, nullptr, "abc def abc", "abc"}, // "def" selected: the next match is found from there
        {5, 5, nullptr, "abc def abc", "abc"}, // caret moved: found again, nothing inserted
        {-1, -1, "q", "qXYZ def abc", ""},     // an edit in front moves the match with it
        {0, 2, nullptr, "abc def abc", "abc"}, // part of the match
    };
    for (const auto &c : cases) {
        setText("abc def abc");
        search.resetSearchPosition();
        search.findNext("abc", true);
        if (c.typeAt0 != nullptr) {
            QTextCursor cursor(editor.document());
            cursor.insertText(QString::fromUtf8(c.typeAt0));
            // The editor's own cursor moves with the insert, keeping the match selected.
        }
        if (c.selectFrom >= 0) {
            QTextCursor cursor = editor.textCursor();
            cursor.setPosition(c.selectFrom);
            cursor.setPosition(c.selectTo, QTextCursor::KeepAnchor);
            editor.setTextCursor(cursor);
        }
        EXPECT_EQ(search.replace("abc", "XYZ", true), SearchOutcome::Done) << c.after;
        EXPECT_EQ(text(), QString::fromUtf8(c.after));
        EXPECT_EQ(selected(), QString::fromUtf8(c.selectedAfter)) << c.after;
    }
}

TEST_F(SearchReplaceTest, ReplaceAllCases)
{
    const struct
    {
        const char *text, *search, *replacement, *expected;
    } cases[] = {
        {"aaa", "a", "aa", "aaaaaa"},         {"aaa", "a", "", ""},
        {"ab ab", "ab", "abab", "abab abab"}, {"a\nb a[RET]b", "a[RET]b", "X", "X a[RET]b"},
        {"a,b,c", ",", "[ret]", "a\nb\nc"},   {"<B>太字</B>", "<b>", "<strong>", "<strong>太字</B>"},
    };
    for (const auto &c : cases) {
        setText(QString::fromUtf8(c.text));
        EXPECT_EQ(search.replaceAll(QString::fromUtf8(c.search), QString::fromUtf8(c.replacement), false),
                  SearchOutcome::Done);
        EXPECT_EQ(text(), QString::fromUtf8(c.expected)) << c.text;
        EXPECT_EQ(search.searchPosition(), -1);
    }
}

TEST_F(SearchReplaceTest, ReplaceAllIsOneUndoStepAndMarksTheReplacements)
{
    setText("x-y-z");
    search.replaceAll("-", "+=", true);
    EXPECT_EQ(text(), "x+=y+=z");
    EXPECT_EQ(search.marks(), (TextRanges{{1, 2}, {4, 2}}));
    EXPECT_EQ(editor.textCursor().position(), 6);
    editor.undo();
    EXPECT_EQ(text(), "x-y-z");
    EXPECT_FALSE(editor.document()->isUndoAvailable());
}

TEST_F(SearchReplaceTest, ManyMatchesAndEarlierMarks)
{
    // Enough matches for the one-span edit; earlier marks move with the text
    // or go where a match replaced them.
    for (const int count : {3, 300}) {
        const QString before = QString(QStringLiteral("a-")).repeated(count) + QStringLiteral("日x");
        setText(before);
        search.clearMarks();
        search.findNext("a-a", true); // overlaps matches: goes
        search.findNext("x", true);   // behind them: moves
        EXPECT_EQ(search.replaceAll("-", "+=", true), SearchOutcome::Done);
        EXPECT_EQ(text(), QString(before).replace(u'-', QStringLiteral("+=")));
        const TextRanges marks = search.marks();
        ASSERT_EQ(marks.size(), count + 1) << count;
        EXPECT_EQ(marks.last(), (TextRange{3 * count + 1, 1})) << count;
        EXPECT_EQ(marks.first(), (TextRange{1, 2})) << count;
        editor.undo();
        EXPECT_EQ(text(), before) << count;
    }
}

TEST_F(SearchReplaceTest, NothingPassesTheSizeLimit)
{
    SearchReplace small{&editor, 5};
    setText("aaa");
    EXPECT_EQ(small.replaceAll("a", "aa", true), SearchOutcome::TooLong);
    small.findNext("a", true);
    EXPECT_EQ(small.replace("a", "aaaa", true), SearchOutcome::TooLong);
    EXPECT_EQ(text(), "aaa");
    EXPECT_EQ(small.replace("a", "aaa", true), SearchOutcome::Done);
    EXPECT_EQ(text(), "aaaaa");
}

} // namespace
