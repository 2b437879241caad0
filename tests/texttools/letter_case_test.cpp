#include "letter_case.h"
#include "printers.h"
#include "replace_exact_or_lower.h"
#include "tag_case.h"

#include <gtest/gtest.h>

namespace {

using namespace TextTools;

TEST(LetterCase, OnlyAsciiLettersChange)
{
    EXPECT_EQ(ToLowerAscii(QStringLiteral("ABC xyz ＡＢＣ 日本Ω")), QStringLiteral("abc xyz ＡＢＣ 日本Ω"));
    EXPECT_EQ(ToUpperAscii(QStringLiteral("abc XYZ ａｂｃ かなω")), QStringLiteral("ABC XYZ ａｂｃ かなω"));
}

TEST(ReplaceExactOrLower, Cases)
{
    const struct
    {
        const char *source, *pattern, *replacement, *expected;
    } cases[] = {
        {"x[RET][RET]y", "[RET]", "\n", "x\n\ny"},
        {"[ret]z", "[RET]", "\n", "\nz"},
        {"[Ret]z", "[RET]", "\n", "[Ret]z"},
        {"abc ABC Abc", "ABC", "-", "- - Abc"},
        {"ＡＢＣ abc", "ABC", "-", "ＡＢＣ -"},
        {"aaa", "a", "aa", "aaaaaa"},
        {"<B><b>", "<B>", "<B><b>", "<B><b><B><b>"},
        {"aaa", "a", "", ""},
        {"abc", "", "x", "abc"},
        {"日本<B>語", "<B>", "[", "日本[語"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReplaceExactOrLower(QString::fromUtf8(c.source), QString::fromUtf8(c.pattern),
                                      QString::fromUtf8(c.replacement)),
                  QString::fromUtf8(c.expected))
            << c.source << " / " << c.pattern;
}

TEST(ConvertTagCase, Cases)
{
    const struct
    {
        const char *text;
        int caseMode;
        const char *expected;
    } cases[] = {
        {R"(<A HREF="Index.HTML">Top</A>)", LowerCase, R"(<a href="Index.HTML">Top</a>)"},
        {R"(<IMG SRC="A.GIF" ALT="X">)", LowerCase, R"(<img src="A.GIF" alt="X">)"},
        {R"(<font color="#ff0000">)", UpperCase, R"(<FONT COLOR="#ff0000">)"},
        {R"(<A HREF="X>)", LowerCase, R"(<a href="x>)"},
        {"<P CLASS=\"見出し\">日本語ＡＢＣ</P>", LowerCase, "<p class=\"見出し\">日本語ＡＢＣ</p>"},
        {"<p>テキストａ<ｂ x>", UpperCase, "<P>テキストａ<ｂ X>"},
        {"<B>text</B>", NoConversion, "<B>text</B>"},
        {"no tags HERE", LowerCase, "no tags HERE"},
        // A ">" that is text ends no tag and stops nothing after it.
        {"a > b <B>", LowerCase, "a > b <b>"},
        {"<B>x > y <I>", LowerCase, "<b>x > y <i>"},
        {"<P>a > b</P><B>x</B>", LowerCase, "<p>a > b</p><b>x</b>"},
        {"<SCRIPT>if(a>b)x();</SCRIPT>", LowerCase, "<script>if(a>b)x();</script>"},
        {"<B>x<I", LowerCase, "<b>x<I"},
        {R"(<a title=x\r\ny>)", UpperCase, "<A TITLE=X\nY>"},
        {R"(<A X="\R\N">)", LowerCase, "<a x=\"\n\">"},
        {R"(<A TITLE=\R\N>)", LowerCase, R"(<a title=\r\n>)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ConvertTagCase(QString::fromUtf8(c.text), c.caseMode), QString::fromUtf8(c.expected))
            << c.text << " mode " << c.caseMode;
}

} // namespace
