#include "search_pattern.h"

#include <gtest/gtest.h>

namespace {

using namespace TextTools;

constexpr SearchOptions Literal{true};
constexpr SearchOptions Expression{true, true};
constexpr SearchOptions AnyCaseExpression{false, true};
constexpr SearchOptions Wide{true, false, true};
constexpr SearchOptions Kana{true, false, false, true};
constexpr SearchOptions WideExpression{true, true, true};

// Every match as "start+length", in order.
QString Matches(const QString &pattern, const SearchOptions &options, const QString &text)
{
    QStringList found;
    for (const SearchMatch &m : SearchPattern(pattern, options).findAll(text))
        found << QStringLiteral("%1+%2").arg(m.start).arg(m.length);
    return found.join(u' ');
}

TEST(SearchPattern, MatchesLiteralsExpressionsAndTheMatchingOptions)
{
    const struct
    {
        const char16_t *pattern;
        SearchOptions options;
        const char16_t *text;
        const char16_t *matches;
    } cases[] = {
        {u"a.b", Literal, u"a.b axb", u"0+3"},
        {u"a.b", Expression, u"a.b axb a\nb", u"0+3 4+3"}, // . does not cross a line end
        // What a line literal rests on: none of these crosses a line end, and a case-blind k and s
        // also match the Kelvin sign and the long s.
        {u"ab.cd", Expression, u"ab\ncd abxcd", u"6+5"},
        {u"a\\Sb", Expression, u"a\nb a-b", u"4+3"},
        {u"x[a-z\\d]+y", Expression, u"xa\nby xa1y", u"6+4"},
        {u"^$", Expression, u"a\n\nb", u"2+0"},
        {u"makes", AnyCaseExpression, u"MA\u212aE\u017f", u"0+5"},
        {u"^\\w+$", Expression, u"one\ntwo three\nfour", u"0+3 14+4"},
        {u"e\\nt", Expression, u"one\ntwo", u"2+3"},
        {u"\\p{Han}+", Expression, u"漢字とかなカナ", u"0+2"},
        {u"\\p{Hiragana}+", Expression, u"漢字とかなカナ", u"2+3"},
        {u"\\p{Katakana}+", Expression, u"漢字とかなカナ", u"5+2"},
        {u"abc", AnyCaseExpression, u"ABC aBc", u"0+3 4+3"},
        {u"abc", {false}, u"ABC ａｂｃ", u"0+3"},   // a literal folds ASCII only
        {u"x*", Expression, u"ab", u"0+0 1+0 2+0"}, // empty matches move on one character
        {u"(?<=a)b", Expression, u"ab cb", u"1+1"},
        {u"ABC", Wide, u"ＡＢＣ abc ABC", u"0+3 8+3"},
        {u"ガギ", Wide, u"xｶﾞｷﾞy", u"1+4"},
        {u"ｶﾞ", Wide, u"ガ ｶﾞ", u"0+1 2+2"},
        {u"x", Wide, u"￣￣￣x", u"3+1"}, // ￣ folds to two characters: the folded text grows
        {u"カタカナ", Kana, u"かたかな カタカナ", u"0+4 5+4"},
        {u"ゞ", Kana, u"ヾ", u"0+1"},
        {u"（注）", WideExpression, u"(注) 注", u"0+3"}, // a full-width bracket stays a sign
        {u"", Literal, u"abc", u""},
    };
    for (const auto &c : cases) {
        const QString pattern = QString::fromUtf16(c.pattern);
        EXPECT_EQ(Matches(pattern, c.options, QString::fromUtf16(c.text)), QString::fromUtf16(c.matches))
            << pattern.toStdString();
    }
}

TEST(SearchPattern, FindStartsWhereAskedButSeesWhatStandsBefore)
{
    const SearchPattern lineStart(QStringLiteral("^b"), Expression);
    EXPECT_EQ(lineStart.find(QStringLiteral("ab\nb"), 1).start, 3) << "the b at 1 starts no line";
    const SearchPattern wide(QStringLiteral("b"), Wide);
    EXPECT_EQ(wide.find(QStringLiteral("ｂaｂ"), 1).start, 2);
    EXPECT_FALSE(wide.find(QStringLiteral("ｂ"), 2).found());
}

TEST(SearchPattern, ReplacementTakesCapturesAndLineBreaks)
{
    const struct
    {
        const char16_t *pattern;
        SearchOptions options;
        const char16_t *replacement;
        const char16_t *expected;
    } cases[] = {
        {u"(\\d+)-(\\d+)", Expression, u"$2-$1", u"34-12"},
        {u"(\\d+)-(\\d+)", Expression, u"\\2/\\1 [\\0] $0", u"34/12 [12-34] 12-34"},
        {u"(\\d+)-(\\d+)", Expression, u"a[RET]b[ret]c", u"a\nb\nc"},
        {u"(\\d+)-(\\d+)", Expression, u"\\\\1 $$1 $9", u"\\1 $1 "},
        {u"12-34", Literal, u"$1 \\0[RET]", u"$1 \\0\n"}, // a literal's replacement has no captures
    };
    const QString text = QStringLiteral("12-34");
    for (const auto &c : cases) {
        const SearchPattern pattern(QString::fromUtf16(c.pattern), c.options);
        const SearchMatch match = pattern.find(text, 0);
        ASSERT_TRUE(match.found());
        EXPECT_EQ(pattern.replacementFor(QString::fromUtf16(c.replacement), match),
                  QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.replacement).toStdString();
    }
}

TEST(SearchPattern, ABadExpressionSaysWhereAndSearchesNothing)
{
    const struct
    {
        const char16_t *pattern;
        int column; // 0: valid
    } cases[] = {{u"ab(c", 5}, {u"[あ", 3}, {u"a{2,1}", 6}, {u"(a)\\1", 0}, {u"（", 0}};
    for (const auto &c : cases) {
        const SearchPattern pattern(QString::fromUtf16(c.pattern), Expression);
        SCOPED_TRACE(pattern.errorText().toStdString());
        EXPECT_EQ(pattern.isValid(), c.column == 0);
        if (c.column == 0)
            continue;
        EXPECT_TRUE(
            pattern.errorText().startsWith(QStringLiteral("正規表現の誤り (%1文字目): ").arg(c.column)));
        EXPECT_FALSE(pattern.find(QString::fromUtf16(c.pattern), 0).found());
    }
}

// The literal a file's lines are sifted by before decoding: present only when
// every match holds it and no match can take a line break.
TEST(SearchPattern, LineLiteralOnlyWhenEveryMatchHoldsItOnOneLine)
{
    constexpr SearchOptions AnyCase{};
    const struct
    {
        const char16_t *pattern;
        SearchOptions options;
        const char *literal; // nullptr: none
        bool foldCase = false;
    } cases[] = {
        {u"class=\"note\"", Literal, "class=\"note\""},
        {u"Note", AnyCase, "note", true},
        {u"a[RET]b", Literal, nullptr}, // a line break, as the replace reads it
        {u"漢字", Literal, "漢字"},
        {u"漢字と kana", AnyCase, "漢字と kana", true},
        {u"abc", Wide, nullptr}, // ａｂｃ would match
        {u"abc", Kana, nullptr},
        {u"href=\"[a-z]+[0-9]+\\.html\"", Expression, "href=\""},
        {u"[a-z]\\.html\"", Expression, ".html\""},
        {u"ab+c", Expression, "ab"},
        {u"abc?d", Expression, "ab"},
        {u"a(bcd)e", Expression, "a"},
        {u"(?:abc)", Expression, nullptr},
        {u"ab|cd", Expression, nullptr},
        {u"(ab|cd)ef", Expression, "ef"},
        {u"x{0,2}yz", Expression, "yz"},
        {u"x{2}", Expression, "x"},
        {u"^abc$", Expression, "abc"},
        {u"\\bword\\b", Expression, "word"},
        {u"ab.cd", Expression, "ab"},
        // Each of these can match a line break.
        {u"ab[^x]cd", Expression, nullptr},
        {u"ab\\scd", Expression, nullptr},
        {u"ab\\Wcd", Expression, nullptr},
        {u"ab\\ncd", Expression, nullptr},
        {u"ab\\x0acd", Expression, nullptr},
        {u"ab\\p{Zs}cd", Expression, nullptr},
        {u"ab[[:space:]]cd", Expression, nullptr},
        {u"(?s)ab.cd", Expression, nullptr},
        {u"(?<=x\n)ab", Expression, nullptr},
        {u"\\Aab", Expression, nullptr},
        {u"a*", Expression, nullptr},
        // Without Aa区別, k and s also match the Kelvin sign and the long s.
        {u"makes", AnyCaseExpression, "ma", true},
        {u"Ωmega漢字", AnyCaseExpression, "mega漢字", true}, // Ω has a case of its own
        {u"(漢)字+かな", Expression, "字かな"},
        {u"字かな", Expression, "字かな"},
        {u"Note", AnyCaseExpression, "Note", true},
    };
    for (const auto &c : cases) {
        const SearchPattern pattern = SearchPattern::forReplacing(QString::fromUtf16(c.pattern), c.options);
        SCOPED_TRACE(QString::fromUtf16(c.pattern).toStdString());
        ASSERT_TRUE(pattern.isValid());
        if (c.literal == nullptr) {
            EXPECT_FALSE(pattern.lineLiteral().has_value());
            continue;
        }
        ASSERT_TRUE(pattern.lineLiteral().has_value());
        EXPECT_EQ(pattern.lineLiteral()->text, QString::fromUtf8(c.literal));
        EXPECT_EQ(pattern.lineLiteral()->foldCase, c.foldCase);
    }
}

} // namespace
