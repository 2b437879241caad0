#include "bytes.h"
#include "iconv_oracle.h"
#include "jconvert.h"
#include "jconvert_stream.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace Jconvert;

namespace {

const std::string A = "\xE3\x81\x82"; // あ in UTF-8

std::string Repeat(const std::string &s, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += s;
    return out;
}

// Valid by glibc, which takes NUL as a character: the document rule does not.
bool OracleDocument(const std::string &text)
{
    const bool bom = text.starts_with(UTF8_BOM);
    const bool valid = Iconv("UTF-8", "UTF-32LE", text).has_value() && text.find('\0') == std::string::npos;
    const bool multiByte = std::any_of(text.begin(), text.end(), [](char c) { return c & 0x80; });
    return bom || (valid && multiByte);
}

} // namespace

TEST(Utf8Check, DocumentRule)
{
    const struct
    {
        const char *what;
        std::string text;
        bool document;
    } cases[] = {
        {"empty", "", false},
        {"pure ASCII stays Shift_JIS", "<p>plain</p>\r\n", false},
        {"the mark alone", std::string(UTF8_BOM), true},
        {"the mark before ASCII", std::string(UTF8_BOM) + "abc", true},
        {"the mark before an invalid byte", std::string(UTF8_BOM) + "a\x82\xA0", true},
        {"Japanese", "<p>" + A + "</p>\n", true},
        {"emoji", B({0xF0, 0x9F, 0x98, 0x80}), true},
        {"U+D7FF", B({0xED, 0x9F, 0xBF}), true},
        {"U+10FFFF", B({0xF4, 0x8F, 0xBF, 0xBF}), true},
        {"NUL", A + std::string(1, '\0'), false},
        {"NUL in an ASCII run", A + "abcdefgh" + std::string(1, '\0') + "ijklmnop", false},
        {"overlong 2", A + B({0xC0, 0x80}), false},
        {"overlong C1", A + B({0xC1, 0xBF}), false},
        {"overlong 3", A + B({0xE0, 0x80, 0xAF}), false},
        {"overlong 4", A + B({0xF0, 0x80, 0x80, 0xAF}), false},
        {"surrogate D800", A + B({0xED, 0xA0, 0x80}), false},
        {"surrogate DFFF", A + B({0xED, 0xBF, 0xBF}), false},
        {"above U+10FFFF", A + B({0xF4, 0x90, 0x80, 0x80}), false},
        {"F5 lead", A + B({0xF5, 0x80, 0x80, 0x80}), false},
        {"lone continuation", A + B({0x80}), false},
        {"cut short at the end", A + A.substr(0, 2), false},
        {"four-byte cut short", A + B({0xF0, 0x9F, 0x98}), false},
        {"ASCII inside a sequence", B({0xE3, 0x81, 'a'}), false},
        {"Shift_JIS あ", B({0x82, 0xA0}), false},
        {"EUC-JP あ", B({0xA4, 0xA2}), false},
        {"UTF-8 for 4 kB, then Shift_JIS", Repeat(A + "abc\r\n", 820) + B({0x93, 0xFA}), false},
        {"UTF-8 for 4 kB, then EUC-JP", Repeat(A + "abc\r\n", 820) + B({0xC6, 0xFC, 0xCB, 0xDC}), false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IsUtf8Document(c.text), c.document) << c.what;
        EXPECT_EQ(OracleDocument(c.text), c.document) << c.what << " (iconv)";
    }
}

TEST(Utf8Check, AgreesWithIconvOnRandomTexts)
{
    std::mt19937 rng(16);
    const std::string pieces[] = {"a",           "\r\n", A, "\xC3\xA9", "\xF0\x9F\x98\x80", "\xEF\xBB\xBF",
                                  "\xED\x9F\xBF"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int parts = 1 + int(rng() % 40);
        for (int i = 0; i < parts; ++i)
            text += pieces[rng() % std::size(pieces)];
        // Mostly valid texts, some with one byte spoiled.
        if (rng() % 2)
            text[rng() % text.size()] = char(rng() & 0xFF);
        ASSERT_EQ(IsUtf8Document(text), OracleDocument(text)) << round;
    }
}

TEST(Utf8Check, PiecesGiveTheWholeTextsVerdict)
{
    const std::string texts[] = {
        std::string(UTF8_BOM) + "ab" + A,
        A + "0123456789" + B({0xF0, 0x9F, 0x98, 0x80}),
        A + "x" + B({0xE3, 0x81}),
        std::string(UTF8_BOM).substr(0, 2) + A,
        "abcdefghijklmnop" + B({0xED, 0xA0, 0x80}),
    };
    for (const std::string &text : texts) {
        Utf8Detector whole;
        whole.Feed(text);
        const Utf8Verdict expected = whole.Finish();
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            for (std::size_t cut2 = cut; cut2 <= text.size(); ++cut2) {
                Utf8Detector pieces;
                pieces.Feed(std::string_view(text).substr(0, cut));
                pieces.Feed(std::string_view(text).substr(cut, cut2 - cut));
                pieces.Feed(std::string_view(text).substr(cut2));
                const Utf8Verdict got = pieces.Finish();
                ASSERT_EQ(got.bom, expected.bom) << cut << ' ' << cut2;
                ASSERT_EQ(got.valid, expected.valid) << cut << ' ' << cut2;
                ASSERT_EQ(got.multiByte, expected.multiByte) << cut << ' ' << cut2;
            }
        }
    }
}

TEST(Utf8Check, SequenceLength)
{
    const struct
    {
        std::string text;
        std::size_t length;
    } cases[] = {
        {"", 0},
        {"a", 1},
        {std::string(1, '\0'), 0},
        {"\xC3\xA9x", 2},
        {A, 3},
        {A.substr(0, 2), 0},
        {B({0xF0, 0x9F, 0x98, 0x80}), 4},
        {B({0xED, 0xA0, 0x80}), 0},
        {B({0xC1, 0x81}), 0},
        {B({0x80}), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Utf8SequenceLength(c.text), c.length) << testing::PrintToString(c.text);
}
