#include "display_blocks.h"
#include "printers.h"
#include "search_replace.h"
#include "stored_text.h"

#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

using namespace TextTools;

class SearchReplaceTest : public ::testing::Test
{
protected:
    void setText(const QString &text)
    {
        document.setPlainText(text);
        document.setModified(false);
        caret = QTextCursor(&document);
    }
    QString text() const { return document.toPlainText(); }
    QString selected() const { return caret.selectedText(); }
    TextRange selection() const
    {
        return {caret.selectionStart(), caret.selectionEnd() - caret.selectionStart()};
    }

    // Selects what the operation asks for, as the window does.
    SearchOutcome show(const SearchResult &result)
    {
        if (result.select) {
            caret.setPosition(int(result.select->start));
            caret.setPosition(int(result.select->end()), QTextCursor::KeepAnchor);
        }
        return result.outcome;
    }
    SearchOutcome findNext(const QString &text, bool matchCase)
    {
        return show(search.findNext(text, {matchCase}));
    }
    SearchOutcome markAll(const QString &text, bool matchCase)
    {
        return show(search.markAll(text, {matchCase}));
    }
    SearchOutcome replace(const QString &text, const QString &replacement, bool matchCase = true)
    {
        return show(search.replace(text, replacement, {matchCase}, selection()));
    }
    SearchOutcome replaceAll(const QString &text, const QString &replacement, bool matchCase)
    {
        return show(search.replaceAll(text, replacement, {matchCase}));
    }

    QTextDocument document;
    // The editor's selection: a cursor of the document, moved by its edits.
    QTextCursor caret{&document};
    SearchReplace search{&document, 1000};
};

TEST_F(SearchReplaceTest, FindNextWrapsAfterTheLastMatch)
{
    setText("xx abc yy");
    EXPECT_EQ(findNext("abc", true), SearchOutcome::Done);
    EXPECT_EQ(selected(), "abc");
    EXPECT_TRUE(search.canReplace());
    EXPECT_EQ(search.searchPosition(), 6);
    EXPECT_EQ(search.marks(), (TextRanges{{3, 3}}));

    EXPECT_EQ(findNext("abc", true), SearchOutcome::NotFound);
    EXPECT_FALSE(caret.hasSelection());
    EXPECT_EQ(caret.position(), 9);
    EXPECT_FALSE(search.canReplace());
    EXPECT_EQ(search.searchPosition(), 0);

    EXPECT_EQ(findNext("abc", true), SearchOutcome::Done);
    EXPECT_EQ(caret.selectionStart(), 3);
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
        EXPECT_EQ(markAll(QString::fromUtf8(c.search), c.matchCase), SearchOutcome::Done);
        EXPECT_EQ(search.marks().size(), c.matches) << c.text << " / " << c.search;
    }
}

TEST_F(SearchReplaceTest, MarkingKeepsTheModifiedFlag)
{
    setText("a b a");
    EXPECT_EQ(markAll("a", true), SearchOutcome::Done);
    EXPECT_EQ(search.marks(), (TextRanges{{0, 1}, {4, 1}}));
    EXPECT_EQ(caret.selectionStart(), 4);
    EXPECT_EQ(search.searchPosition(), -1);
    // From -1 the next search starts at the top.
    EXPECT_EQ(findNext("a", true), SearchOutcome::Done);
    EXPECT_EQ(caret.selectionStart(), 0);
    EXPECT_FALSE(document.isModified());
    // Marks follow edits; a modified document stays modified.
    document.setModified(true);
    QTextCursor(&document).insertText("zz");
    EXPECT_EQ(search.marks(), (TextRanges{{2, 1}, {6, 1}}));
    markAll("a", true);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(search.marks(), (TextRanges{{2, 1}, {6, 1}}));
}

TEST_F(SearchReplaceTest, EmptySearchTextDoesNothing)
{
    setText("abc");
    caret.setPosition(1);
    EXPECT_EQ(findNext("", true), SearchOutcome::EmptySearch);
    EXPECT_EQ(markAll("", false), SearchOutcome::EmptySearch);
    EXPECT_EQ(replaceAll("", "x", true), SearchOutcome::EmptySearch);
    EXPECT_EQ(replaceAll("[RET]", "x", true), SearchOutcome::Done); // a line break: none here
    EXPECT_EQ(text(), "abc");
    EXPECT_FALSE(caret.hasSelection());
    EXPECT_EQ(caret.position(), 1);
    EXPECT_TRUE(search.marks().isEmpty());
}

TEST_F(SearchReplaceTest, ReplaceTheFoundMatch)
{
    setText("one two one");
    EXPECT_EQ(replace("one", "X", true), SearchOutcome::NotFound); // disabled before a find
    findNext("one", true);
    EXPECT_EQ(replace("one", "日本語", true), SearchOutcome::Done);
    EXPECT_EQ(text(), "日本語 two one");
    EXPECT_FALSE(search.canReplace());
    EXPECT_EQ(search.searchPosition(), 3); // not moved for the longer replacement
    EXPECT_EQ(search.marks(), (TextRanges{{0, 3}}));
    EXPECT_TRUE(document.isModified());
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
        findNext("abc", true);
        if (c.typeAt0 != nullptr) {
            QTextCursor cursor(&document);
            cursor.insertText(QString::fromUtf8(c.typeAt0));
            // The editor's cursor moves with the insert, keeping the match selected.
        }
        if (c.selectFrom >= 0) {
            caret.setPosition(c.selectFrom);
            caret.setPosition(c.selectTo, QTextCursor::KeepAnchor);
        }
        EXPECT_EQ(replace("abc", "XYZ", true), SearchOutcome::Done) << c.after;
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
        EXPECT_EQ(replaceAll(QString::fromUtf8(c.search), QString::fromUtf8(c.replacement), false),
                  SearchOutcome::Done);
        EXPECT_EQ(text(), QString::fromUtf8(c.expected)) << c.text;
        EXPECT_EQ(search.searchPosition(), -1);
    }
}

TEST_F(SearchReplaceTest, ReplaceAllIsOneUndoStepAndMarksTheReplacements)
{
    setText("x-y-z");
    replaceAll("-", "+=", true);
    EXPECT_EQ(text(), "x+=y+=z");
    EXPECT_EQ(search.marks(), (TextRanges{{1, 2}, {4, 2}}));
    EXPECT_EQ(caret.position(), 6);
    document.undo();
    EXPECT_EQ(text(), "x-y-z");
    EXPECT_FALSE(document.isUndoAvailable());
}

TEST_F(SearchReplaceTest, ManyMatchesAndEarlierMarks)
{
    // Enough matches for the one-span edit; earlier marks move with the text
    // or go where a match replaced them.
    for (const int count : {3, 300}) {
        const QString before = QString(QStringLiteral("a-")).repeated(count) + QStringLiteral("日x");
        setText(before);
        search.clearMarks();
        findNext("a-a", true); // overlaps matches: goes
        findNext("x", true);   // behind them: moves
        EXPECT_EQ(replaceAll("-", "+=", true), SearchOutcome::Done);
        EXPECT_EQ(text(), QString(before).replace(u'-', QStringLiteral("+=")));
        const TextRanges marks = search.marks();
        ASSERT_EQ(marks.size(), count + 1) << count;
        EXPECT_EQ(marks.last(), (TextRange{3 * count + 1, 1})) << count;
        EXPECT_EQ(marks.first(), (TextRange{1, 2})) << count;
        document.undo();
        EXPECT_EQ(text(), before) << count;
    }
}

TEST_F(SearchReplaceTest, NothingPassesTheSizeLimit)
{
    SearchReplace small{&document, 5};
    setText("aaa");
    EXPECT_EQ(small.replaceAll("a", "aa", {true}).outcome, SearchOutcome::TooLong);
    show(small.findNext("a", {true}));
    EXPECT_EQ(small.replace("a", "aaaa", {true}, selection()).outcome, SearchOutcome::TooLong);
    EXPECT_EQ(text(), "aaa");
    EXPECT_EQ(small.replace("a", "aaa", {true}, selection()).outcome, SearchOutcome::Done);
    EXPECT_EQ(text(), "aaaaa");
}

// Matches that span a soft break between display blocks, or start right at
// one, are found, marked and replaced as the text stores them.
TEST(SearchAcrossSoftBreaks, FindMarkAndReplaceAll)
{
    using DisplayBlocks::PieceChars;
    const QString needle = QStringLiteral("NEEDLE");
    QString many = QString(PieceChars - 3, u'x');
    for (int i = 0; i < 300; ++i)
        many += needle + QString(i % 2 == 0 ? 200 : 9, u'y');
    const struct
    {
        const char *name;
        QString text;
        int matches;
    } cases[] = {
        {"across, inside and at a break",
         QStringLiteral("top\n") + QString(PieceChars - 3, u'x') + needle + QString(PieceChars - 3, u'x') +
             needle + QString(2 * PieceChars - 6, u'x') + needle + QString(PieceChars, u'z'),
         3},
        {"more than the edits a match", many, 300},
    };
    // The same through a regular expression, its capture in the replacement.
    const struct
    {
        QString pattern;
        SearchOptions options;
        QString replacement, inserted;
    } searches[] = {
        {needle, {true}, QStringLiteral("a[RET]b"), QStringLiteral("a\nb")},
        {QStringLiteral("N(E+)D[L]E"), {true, true}, QStringLiteral("a[RET]$1b"), QStringLiteral("a\nEEb")},
    };
    for (const auto &c : cases) {
        for (const auto &how : searches) {
            SCOPED_TRACE(std::string(c.name) + " " + how.pattern.toStdString());
            QTextDocument document;
            document.setUndoRedoEnabled(false);
            QTextCursor caret(&document);
            DisplayBlocks::InsertHeld(caret, c.text);
            document.setUndoRedoEnabled(true);
            ASSERT_GT(document.blockCount(), c.text.count(u'\n') + 2);
            SearchReplace search(&document, 1 << 24);
            for (int i = 0; i < qMin(c.matches, 3); ++i) {
                const SearchResult found = search.findNext(how.pattern, how.options);
                ASSERT_TRUE(found.select);
                caret.setPosition(int(found.select->start));
                caret.setPosition(int(found.select->end()), QTextCursor::KeepAnchor);
                EXPECT_EQ(StoredSelection(caret), needle) << i;
            }
            search.markAll(how.pattern, how.options);
            ASSERT_EQ(search.marks().size(), c.matches);
            for (const TextRange &mark : search.marks()) {
                caret.setPosition(int(mark.start));
                caret.setPosition(int(mark.end()), QTextCursor::KeepAnchor);
                ASSERT_EQ(StoredSelection(caret), needle) << mark.start;
            }
            search.replaceAll(how.pattern, how.replacement, how.options);
            EXPECT_EQ(StoredText(document), QString(c.text).replace(needle, how.inserted));
            for (const TextRange &mark : search.marks()) {
                caret.setPosition(int(mark.start));
                caret.setPosition(int(mark.end()), QTextCursor::KeepAnchor);
                ASSERT_EQ(StoredSelection(caret), how.inserted) << mark.start;
            }
            document.undo();
            EXPECT_EQ(StoredText(document), c.text);
        }
    }
}

} // namespace
