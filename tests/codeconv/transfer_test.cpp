#include "bytes.h"
#include "iconv_oracle.h"
#include "jconvert.h"

#include <gtest/gtest.h>

#include <random>

using namespace Jconvert;

namespace {

std::string RandomBytes(std::mt19937 &rng, std::size_t n)
{
    std::string s(n, '\0');
    for (char &c : s)
        c = static_cast<char>(rng() & 0xFF);
    return s;
}

bool OnlyPrintable(const std::string &s, std::string_view lineBreak)
{
    for (unsigned char c : s)
        if ((c < 0x21 || c > 0x7E) && lineBreak.find(char(c)) == std::string_view::npos)
            return false;
    return true;
}

} // namespace

TEST(Base64, KnownValues)
{
    EXPECT_EQ(EncodeBase64("abc"), "YWJj");
    EXPECT_EQ(EncodeBase64("a"), "YQ==");
    EXPECT_EQ(EncodeBase64("ab"), "YWI=");
    EXPECT_EQ(EncodeBase64(""), "");
    EXPECT_EQ(EncodeBase64(B({0xFB, 0xFF, 0xBF})), "+/+/");
    EXPECT_EQ(DecodeBase64("YWJj"), "abc");
    EXPECT_EQ(DecodeBase64("YQ=="), "a");
    EXPECT_EQ(DecodeBase64("YWI="), "ab");
    EXPECT_EQ(DecodeBase64(""), "");
}

TEST(Base64, LineBreaksEvery76Characters)
{
    const std::string b57(57, 'x');
    const std::string enc57 = EncodeBase64R(b57, "\r\n");
    EXPECT_EQ(enc57.size(), 78u);
    EXPECT_EQ(enc57.substr(76), "\r\n");

    const std::string enc58 = EncodeBase64R(std::string(58, 'x'), "\r\n");
    EXPECT_EQ(enc58.size(), 76u + 2 + 4);
    EXPECT_EQ(enc58.substr(76, 2), "\r\n");
    EXPECT_EQ(enc58.substr(80), "==");

    // 60 bytes: the 20th group continues the second line with no break after it.
    EXPECT_EQ(EncodeBase64R(std::string(60, 'x'), "\n").size(), 76u + 1 + 4);
    EXPECT_EQ(EncodeBase64R(std::string(114, 'x'), "\n").size(), 2 * 77u);
    EXPECT_EQ(EncodeBase64R("", "\r\n"), "");
}

TEST(Base64, DecoderTolerance)
{
    EXPECT_EQ(DecodeBase64("YW\r\nJj"), "abc"); // a line break inside a group
    EXPECT_EQ(DecodeBase64("YWJj\r\nYQ=="), "abca");
    EXPECT_EQ(DecodeBase64("YQ"), "a"); // missing padding
    EXPECT_EQ(DecodeBase64("YWI"), "ab");
    EXPECT_EQ(DecodeBase64("Y"), "");           // six bits make no byte
    EXPECT_EQ(DecodeBase64("YQ==YWI="), "aab"); // concatenated words
    EXPECT_EQ(DecodeBase64("Y W\tJ*j"), "abc"); // stray characters are skipped
    EXPECT_EQ(DecodeBase64("===="), "");
    EXPECT_EQ(DecodeBase64(B({0x80, 0xFF, 0x00})), "");
}

TEST(UUEncode, LinesOf45Bytes)
{
    const std::string enc = EncodeUU(std::string(45, 'x'), "\r\n");
    EXPECT_EQ(enc[0], 'M');
    EXPECT_EQ(enc.find("\r\n"), 61u);
    EXPECT_EQ(enc.substr(61), "\r\n`\r\n");
    EXPECT_EQ(EncodeUU("", "\n"), "`\n");
    // Zero bits are grave accents, never spaces, also in the filling.
    const std::string zeros = EncodeUU(std::string(1, '\0'), "\n");
    EXPECT_EQ(zeros, "!````\n`\n");
    EXPECT_EQ(EncodeUU("Cat", "\n"), "#0V%T\n`\n");
    EXPECT_EQ(DecodeUU("#0V%T\n`\n"), "Cat");
}

TEST(UUEncode, DecoderTolerance)
{
    EXPECT_EQ(DecodeUU("#0V%T"), "Cat"); // no line break at all
    EXPECT_EQ(DecodeUU("#0V%T\r\n`\r\n"), "Cat");
    EXPECT_EQ(DecodeUU("#0V"), "C"); // a line cut short
    EXPECT_EQ(DecodeUU("M"), "");    // a count with no data
    EXPECT_EQ(DecodeUU("\n\n\r"), "");
    EXPECT_EQ(DecodeUU("!0V%T"), "C"); // the count limits the bytes
}

TEST(BinHex, LinesOf64CharactersCountingTheOpeningColon)
{
    const std::string data(200, 'q');
    const std::string enc = EncodeBinHex(data, "\r\n");
    ASSERT_EQ(enc[0], ':');
    const std::size_t firstBreak = enc.find("\r\n");
    EXPECT_EQ(firstBreak, 64u); // the colon and 63 characters
    // The break falls after the third character of the 16th group.
    const std::string groups = EncodeBinHex(data, "");
    EXPECT_EQ(enc.substr(66, 64), groups.substr(64, 64));
    EXPECT_EQ(enc.back(), ':');
    EXPECT_EQ(EncodeBinHex("", "\n"), "::");
    EXPECT_EQ(EncodeBinHex("a", "\n").size(), 4u); // colon, two characters, colon
    EXPECT_EQ(EncodeBinHex("ab", "\n").size(), 5u);
}

TEST(BinHex, DecoderStopsAtTheClosingColon)
{
    EXPECT_EQ(DecodeBinHex(EncodeBinHex("ab", "\n") + "garbage"), "ab");
    EXPECT_EQ(DecodeBinHex(":"), "");
    EXPECT_EQ(DecodeBinHex(""), "");
    EXPECT_EQ(DecodeBinHex(":!!!!!!"), std::string(4, '\0')); // unterminated: 4 + 2 characters
}

TEST(TransferEncodings, RoundTripEveryLengthUpToSeveralHundred)
{
    std::mt19937 rng(2026);
    for (std::size_t n = 0; n <= 400; ++n) {
        for (int rep = 0; rep < 3; ++rep) {
            const std::string data = RandomBytes(rng, n);
            const std::string b64 = EncodeBase64(data);
            ASSERT_EQ(DecodeBase64(b64), data) << n;
            ASSERT_EQ(b64.size(), (n + 2) / 3 * 4);
            const std::string b64r = EncodeBase64R(data, "\r\n");
            ASSERT_EQ(DecodeBase64(b64r), data) << n;
            ASSERT_TRUE(OnlyPrintable(b64r, "\r\n"));
            const std::string uu = EncodeUU(data, "\r\n");
            ASSERT_EQ(DecodeUU(uu), data) << n;
            ASSERT_TRUE(OnlyPrintable(uu, "\r\n"));
            const std::string uuLf = EncodeUU(data, "\n");
            ASSERT_EQ(DecodeUU(uuLf), data) << n;
            const std::string hqx = EncodeBinHex(data, "\r\n");
            ASSERT_EQ(DecodeBinHex(hqx), data) << n;
            ASSERT_TRUE(OnlyPrintable(hqx, "\r\n"));
            for (std::size_t pos = 0; pos < hqx.size(); pos += 66)
                ASSERT_LE(hqx.find("\r\n", pos) == std::string::npos ? hqx.size() - pos
                                                                     : hqx.find("\r\n", pos) - pos,
                          64u);
        }
    }
}

TEST(MimeHeader, EncodesDoubleByteRuns)
{
    // 件名 test
    const std::string subject = B({0x8C, 0x8F, 0x96, 0xBC}) + " test";
    const std::string enc = CreateHeaderString(subject);
    const std::string word = B({ESC, '$', 'B', 0x37, 0x6F, 0x4C, 0x3E, ESC, '(', 'B'});
    EXPECT_EQ(enc, "=?ISO-2022-JP?B?" + EncodeBase64(word) + "?= test");
    EXPECT_EQ(DecodeHeaderString(enc), word + " test");
    // Each word is whole ISO-2022-JP text, as iconv writes it.
    EXPECT_EQ(Iconv("CP932", "ISO-2022-JP", subject.substr(0, 4)), word);

    // Half-width katakana go into the word in full width: a header holds no 8-bit byte.
    EXPECT_EQ(CreateHeaderString(B({0xB6, 0xDE, 0x82, 0xA0, 'a'})),
              "=?ISO-2022-JP?B?" + EncodeBase64(B({ESC, '$', 'B', 0x25, 0x2C, 0x24, 0x22, ESC, '(', 'B'})) +
                  "?=a");
    // Two runs give two encoded words.
    const std::string two = CreateHeaderString(B({0x82, 0xA0, ' ', 0x82, 0xA2}));
    EXPECT_EQ(std::count(two.begin(), two.end(), '?'), 8);
    // A lead byte cut off at the end, or before a byte that is no trail byte, is kept as it is.
    EXPECT_EQ(CreateHeaderString(B({'a', 0x82})), B({'a', 0x82}));
    EXPECT_EQ(CreateHeaderString(B({0x8D, ' ', 't'})), B({0x8D, ' ', 't'}));
    EXPECT_EQ(HeaderEightBitByte(B({0x82, 0xA0, 0xB1, 'a', 0x8D, ' '})), 4u);
    EXPECT_EQ(HeaderEightBitByte(B({0x82, 0xA0, 0xB1, 'a', 0x82})), 4u);
    EXPECT_EQ(HeaderEightBitByte(B({0x82, 0xA0, 0xB1, 'a'})), std::string::npos);
    EXPECT_EQ(CreateHeaderString(""), "");
}

TEST(MimeHeader, DecoderKeepsWhatIsNoWord)
{
    const std::string closedWord = "=?ISO-2022-JP?B?" + EncodeBase64("\x1B$B$\"\x1B(B") + "?=";
    const struct
    {
        std::string header;
        std::string decoded;
    } cases[] = {
        {"x =?iso-2022-jp?b?YWJj?= y", "x abc\x1B(B y"},
        {"=?ISO-2022-JP?B?YWJj", "=?ISO-2022-JP?B?YWJj"}, // no closing "?="
        {"=?ISO-2022-JP?B?!!!?=", "=?ISO-2022-JP?B?!!!?="},
        {"a =?ISO-2022-JP?B?Y?= =?ISO-2022-JP?B?YQ==?=", "a =?ISO-2022-JP?B?Y?= a\x1B(B"},
        {"no words here", "no words here"},
        {"=?ISO-2022-JP?B?YQ==?==?ISO-2022-JP?B?Yg==?=", "a\x1B(Bb\x1B(B"},
        {closedWord + "~", "\x1B$B$\"\x1B(B~"}, // already back in ASCII
    };
    for (const auto &c : cases)
        EXPECT_EQ(DecodeHeaderString(c.header), c.decoded) << c.header;
}

TEST(MimeHeader, RoundTripThroughShiftJis)
{
    std::mt19937 rng(7);
    // Random mixes of ASCII, half-width kana and double-byte characters.
    for (int rep = 0; rep < 500; ++rep) {
        std::string sjis;
        const int len = rng() % 40;
        for (int i = 0; i < len; ++i) {
            switch (rng() % 3) {
            case 0:
                sjis += char(0x20 + rng() % 0x5F);
                break;
            case 1: {
                const BytePair p = ToSjis(0x30 + rng() % 0x40, 0x21 + rng() % 0x5E);
                sjis += char(p.first);
                sjis += char(p.second);
                break;
            }
            default:
                sjis += char(0xA1 + rng() % 0x3F);
                break;
            }
        }
        const std::string jis = DecodeHeaderString(CreateHeaderString(sjis));
        // Half-width kana come back in full width, as JIS has them.
        EXPECT_EQ(jis2sjis(jis), jis2sjis(sjis2jis83(sjis))) << rep;
    }
}
