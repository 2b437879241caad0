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

} // namespace
