// Sifting a file's lines by the pattern's literal before decoding them finds
// what the search of the whole decoded text finds, in every code and line end
// and around bytes that are no character.
#include "literal_lines.h"

#include "../codeconv/iconv_oracle.h"

#include <gtest/gtest.h>

namespace {

using namespace FolderSearch;

// The whole result as text: count, then each row.
QString Described(const TextMatches &found)
{
    QStringList rows{QString::number(found.count)};
    for (const LineMatch &m : found.matches)
        rows << QStringLiteral("%1:%2+%3 c%4 [%5] %6+%7")
                    .arg(m.line)
                    .arg(m.offset)
                    .arg(m.length)
                    .arg(m.column)
                    .arg(m.excerpt)
                    .arg(m.markFrom)
                    .arg(m.markLength);
    return rows.join(u'\n');
}

void ExpectSameAsWholeText(QByteArrayView bytes, DocumentCode code, const TextTools::SearchPattern &pattern)
{
    ASSERT_TRUE(LinesDecodeAlone(code));
    ASSERT_TRUE(pattern.lineLiteral().has_value());
    const std::optional<QByteArray> needle = LiteralBytes(*pattern.lineLiteral(), code);
    ASSERT_TRUE(needle.has_value());
    const std::unique_ptr<TextDecoder> decoder = DecoderFor(code);
    const QString text = decoder->decode(bytes).text;
    for (const qsizetype rows : {1000, 2, 0}) {
        SCOPED_TRACE(rows);
        EXPECT_EQ(Described(MatchLiteralLines(bytes, *decoder,
                                              LiteralFinder(*needle, pattern.lineLiteral()->foldCase),
                                              pattern, rows)),
                  Described(MatchLines(text, pattern, rows)));
    }
}

constexpr TextTools::SearchOptions Literal{true};
constexpr TextTools::SearchOptions AnyCase{};
constexpr TextTools::SearchOptions Expression{true, true};

TEST(LiteralLines, FindWhatTheWholeTextShowsInEveryCodeAndLineEnd)
{
    const QString text =
        QStringLiteral(
            "<p class=\"note\">漢字</p>\n本文 class=\"note\" と class=\"note\"\nなし\n\nclass=\"NOTE\" ｶﾅ\n"
            "%1class=\"note\"%2\n末尾 class=\"note\"")
            .arg(QString(300, u'あ'), QString(200, u'x'));
    const struct
    {
        const char16_t *pattern;
        TextTools::SearchOptions options;
    } patterns[] = {
        {u"class=\"note\"", Literal},         {u"class=\"note\"", AnyCase}, {u"note\"", Expression},
        {u"c[a-z]+s=\"(n|N)ote", Expression}, {u"s=\"note\"$", Expression}, {u"^class", Expression},
        {u"\\bnote\\b", Expression},          {u"漢字", Literal},           {u"と class", AnyCase},
        {u"本文.*note", Expression},          {u"ｶﾅ$", Expression},
    };
    const struct
    {
        const char *iconv;
        DocumentCode code;
    } codes[] = {{"CP932", DocumentCode::Sjis}, {"EUC-JP", DocumentCode::Euc}, {"UTF-8", DocumentCode::Utf8}};
    for (const QString &end : {QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r")}) {
        const QByteArray utf8 = QString(text).replace(u'\n', end).toUtf8();
        for (const auto &code : codes) {
            const std::optional<std::string> bytes = Iconv("UTF-8", code.iconv, utf8.toStdString());
            ASSERT_TRUE(bytes.has_value()) << code.iconv;
            for (const auto &p : patterns) {
                SCOPED_TRACE(QStringLiteral("%1 %2 %3")
                                 .arg(QLatin1StringView(code.iconv), QString::fromUtf16(p.pattern),
                                      QString::number(end.size()))
                                 .toStdString());
                ExpectSameAsWholeText(QByteArrayView(bytes->data(), qsizetype(bytes->size())), code.code,
                                      TextTools::SearchPattern(QString::fromUtf16(p.pattern), p.options));
            }
        }
    }
}

TEST(LiteralLines, BytesThatAreNoCharacterBeforeALineEnd)
{
    const struct
    {
        QByteArray bytes;
        DocumentCode code;
    } cases[] = {
        {"\x82\r\nclass=\"note\"\r\x82", DocumentCode::Sjis},
        {"\x81\nclass=\"note\"\x81\r\nclass=\"note\"", DocumentCode::Sjis},
        {"\x8e\nclass=\"note\"", DocumentCode::Euc},
        {"\xa4\rclass=\"note\"\xa4\n\x8f\xa1\nclass=\"note\"", DocumentCode::Euc},
        {"\xe6\xbc\nclass=\"note\"", DocumentCode::Utf8},
        {"\xc3\r\nclass=\"note\"\xff\n\xf0\x9f\x98\r class=\"note\"", DocumentCode::Utf8},
    };
    const TextTools::SearchPattern pattern(QStringLiteral("class=\"note\""), Literal);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        ExpectSameAsWholeText(c.bytes, c.code, pattern);
    }
}

TEST(LiteralLines, FinderFoldsAsciiCaseOnlyWhenAsked)
{
    const struct
    {
        QByteArray bytes;
        QByteArray literal;
        bool foldCase;
        qsizetype from;
        qsizetype at;
    } cases[] = {
        {"xxCLASS", "class", true, 0, 2},
        {"xxCLASS", "class", false, 0, -1},
        {"\xe3\x81\x82"
         "Class",
         "class", true, 0, 3},
        {"\xc3\xa3lass", "class", true, 0, -1}, // bytes above 0x7F fold to nothing
        {"abcabc", "abc", false, 1, 3},
        {"abcABC", "abc", true, 1, 3},
        {"ab", "abc", false, 0, -1},
        {"", "a", true, 0, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        EXPECT_EQ(LiteralFinder(c.literal, c.foldCase).find(c.bytes, c.from), c.at);
    }
    // Wherever it stands against the search's blocks of bytes, after near misses
    // that share its first and its last byte.
    for (const qsizetype at : {0, 1, 29, 30, 31, 32, 33, 63, 64, 65, 90, 94}) {
        SCOPED_TRACE(at);
        QByteArray bytes(97, 'a');
        bytes.replace(at, 3, "abc");
        for (qsizetype miss = 0; miss + 3 < at; miss += 7)
            bytes[miss + 2] = 'c', bytes[miss + 1] = 'x';
        for (const bool foldCase : {false, true})
            EXPECT_EQ(LiteralFinder("abc", foldCase).find(bytes, 0), at);
        EXPECT_EQ(LiteralFinder("abc", false).find(bytes, at + 1), -1);
    }
}

// A character with another form in the code is searched in the decoded text:
// the bytes of one form would miss the other.
TEST(LiteralLines, LiteralBytesOnlyWhereACharacterHasOneForm)
{
    const struct
    {
        const char16_t *text;
        DocumentCode code;
        const char *iconv; // the expected bytes in this code; nullptr: none
    } cases[] = {
        {u"漢字とｶﾅ", DocumentCode::Sjis, "CP932"},
        {u"漢字とｶﾅ", DocumentCode::Euc, "EUC-JP"},
        {u"漢字と𠀋", DocumentCode::Utf8, "UTF-8"},
        {u"ⅰ", DocumentCode::Sjis, nullptr},      // NEC-selected IBM EE EF and IBM FA 40
        {u"∵", DocumentCode::Sjis, nullptr},      // 81 E6 and NEC 87 9A
        {u"𠀋", DocumentCode::Sjis, nullptr},     // none at all
        {u"\xdc82", DocumentCode::Utf8, nullptr}, // a kept byte
        {u"漢字", DocumentCode::Jis, nullptr},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        const std::optional<QByteArray> bytes = LiteralBytes({text, false}, c.code);
        if (c.iconv == nullptr) {
            EXPECT_FALSE(bytes.has_value());
            continue;
        }
        const std::optional<std::string> expected = Iconv("UTF-8", c.iconv, text.toStdString());
        ASSERT_TRUE(expected.has_value());
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(bytes->toStdString(), *expected);
    }
}

} // namespace
