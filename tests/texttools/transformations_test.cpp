#include "letter_case.h"
#include "printers.h"
#include "transformations.h"

#include <gtest/gtest.h>

namespace {

using namespace TextTools;

struct TextCase
{
    const char *input;
    const char *expected;
};

void ExpectEach(QString (*transform)(const QString &), std::initializer_list<TextCase> cases)
{
    for (const TextCase &c : cases)
        EXPECT_EQ(transform(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected)) << c.input;
}

TEST(HtmlToText, MarksRulesAndEntities)
{
    ExpectEach(HtmlToText, {
                               {"<TITLE>Top</TITLE>", "★【Top】"},
                               {"<h1 align=center>News</h1>", "■News"},
                               {"<B>x</B> <b>y</b>", "[x] [y]"},
                               {"a&nbsp;b &NBSP;", "a b &NBSP;"},
                               {"a<BR>b", "ab"},
                               {"<TR><TD>x</TD>\n<TD>y</TD>\n</TR>", "xy"},
                               {"<H2>見出し</H2>\n<P>本文&nbsp;です</P>", "■見出し\n本文 です"},
                               {"<h3 class=\"章\">第1章</h3>", "■第1章"},
                           });
    EXPECT_EQ(HtmlToText("<hr size=2>"), QString(80, u'-'));
}

TEST(StripTags, StrayAndUnclosedBracketsStay)
{
    ExpectEach(StripTags, {
                              {"x < y", "x < y"},
                              {"a<b", "a<b"},
                              {"1 > 0 <i>ok</i>", "1 > 0 ok"},
                              {"<b>日本</b>語<i", "日本語<i"},
                              {"", ""},
                          });
}

TEST(LineBreakTags, TagFromCaseChoiceBeforeEveryBreak)
{
    EXPECT_EQ(LineBreakTag(0), "<br>");
    EXPECT_EQ(LineBreakTag(1), "<br>");
    EXPECT_EQ(LineBreakTag(2), "<BR>");
    EXPECT_EQ(AddLineBreakTags(QStringLiteral("あ\nb\nc"), "<br>"), QStringLiteral("あ<br>\nb<br>\nc"));
    EXPECT_EQ(AddLineBreakTags("a\n\n", "<BR>"), "a<BR>\n<BR>\n");
}

TEST(TabIndent, LinesTouchedBySelection)
{
    const QString text = QStringLiteral("l0\nl1\nline2\nl3\nl4\nl5");
    const struct
    {
        qsizetype start, length;
        LineSpan expected;
    } cases[] = {
        {8, 10, {2, 4}}, // middle of line 2 to the end of line 4 with its break
        {8, 9, {2, 4}},  // ... without the break
        {0, 0, {0, 0}},  // caret at the top: the first line
        {6, 0, {2, 1}},  // caret at the start of line 2: nothing
        {7, 0, {2, 2}},  // caret inside line 2
        {0, 20, {0, 5}}, // everything
    };
    for (const auto &c : cases)
        EXPECT_EQ(TabIndentLines(text, c.start, c.length), c.expected) << c.start << "+" << c.length;
    EXPECT_TRUE(TabIndentLines(text, 6, 0).isEmpty());
    EXPECT_EQ(IndentWithTab(QStringLiteral("日本\n\nx")), QStringLiteral("\t日本\n\t\n\tx"));
}

TEST(SelectionRewrites, TabsCaseAndQuote)
{
    EXPECT_EQ(RemoveTabs(QStringLiteral("a\tb\t\t漢字\t")), QStringLiteral("ab漢字"));
    EXPECT_EQ(ToUpperAscii(QStringLiteral("<p>ｘyz</p>")), QStringLiteral("<P>ｘYZ</P>"));
    EXPECT_EQ(ToLowerAscii(QStringLiteral("<P>Ｘ YZ</P>")), QStringLiteral("<p>Ｘ yz</p>"));
    ExpectEach(QuoteText, {
                              {"a\nb\n", "> a\n> b\n"},
                              {"a\nb", "> a\n> b\n"},
                              {"abc", "> abc\n"},
                              {"", "> \n"},
                              {"\n", "> \n"},
                              {"引用\n<b>文</b>", "> 引用\n> <b>文</b>\n"},
                          });
}

} // namespace
