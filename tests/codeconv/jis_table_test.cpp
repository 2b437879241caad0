// The whole JIS X 0208 table against glibc iconv.
#include "hankana_table.h"
#include "iconv_oracle.h"
#include "jconvert.h"

#include <gtest/gtest.h>

using namespace Jconvert;

namespace {

std::string Pair(unsigned char a, unsigned char b)
{
    return std::string{char(a), char(b)};
}

// A cell that glibc's EUC-JP defines: JIS X 0208 as published.
bool DefinedInJisX0208(unsigned char j1, unsigned char j2)
{
    return Iconv("EUC-JP", "UTF-8", Pair(j1 | 0x80, j2 | 0x80)).has_value();
}

// Rows that code page 932 adds inside the 94 x 94 square (NEC row 13 and the
// NEC-selected IBM extensions in rows 89-92), which EUC-JP does not define.
bool Cp932OnlyRow(unsigned char j1)
{
    return j1 == 0x2D || (j1 >= 0x79 && j1 <= 0x7C);
}

} // namespace

TEST(JisTable, EveryCellConvertsLikeIconv)
{
    int cells = 0;
    int cp932Only = 0;
    for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            const BytePair s = ToSjis(j1, j2);
            ASSERT_EQ(ToJis(s.first, s.second), (BytePair{(unsigned char)j1, (unsigned char)j2}))
                << std::hex << j1 << ' ' << j2;
            const std::string sjis = Pair(s.first, s.second);
            const std::string euc = Pair(j1 | 0x80, j2 | 0x80);
            const std::string jis = "\x1B$B" + Pair(j1, j2) + "\x1B(B";

            if (!DefinedInJisX0208(j1, j2)) {
                if (Cp932OnlyRow(j1) && Iconv("CP932", "UTF-8", sjis)) {
                    // iconv's EUC-JP has no such cell; the arithmetic still maps
                    // the Shift_JIS bytes onto the same row and cell.
                    EXPECT_EQ(sjis2euc(sjis), euc);
                    EXPECT_EQ(euc2sjis(euc), sjis);
                    EXPECT_EQ(jis2sjis(jis), sjis);
                    ++cp932Only;
                }
                continue;
            }
            ++cells;

            // The same character in all three codes, by iconv.
            const auto unicode = Iconv("EUC-JP", "UTF-32LE", euc);
            ASSERT_TRUE(unicode);
            EXPECT_EQ(Iconv("ISO-2022-JP", "UTF-32LE", jis), unicode);

            EXPECT_EQ(sjis2euc(sjis), euc);
            EXPECT_EQ(euc2sjis(euc), sjis);
            EXPECT_EQ(sjis2jis83(sjis), jis);
            EXPECT_EQ(jis2sjis(jis), sjis);
            EXPECT_EQ(euc2jis83(euc), jis);
            EXPECT_EQ(jis2euc(jis), euc);

            // Code page 932 to EUC-JP directly. glibc's EUC-JP maps a few cells
            // to other Unicode characters than code page 932 does (WAVE DASH
            // against FULLWIDTH TILDE and the like); EUC-JP-MS shares code page
            // 932's mapping, so it is the byte-exact reference here.
            EXPECT_EQ(Iconv("CP932", "EUC-JP-MS", sjis), euc) << std::hex << j1 << ' ' << j2;
            EXPECT_EQ(Iconv("EUC-JP-MS", "CP932", euc), sjis) << std::hex << j1 << ' ' << j2;
        }
    }
    // JIS X 0208-1990 has 6879 characters; glibc defines all of them.
    EXPECT_EQ(cells, 6879);
    EXPECT_GT(cp932Only, 0);
}

TEST(JisTable, IconvAgreesOnWholeTexts)
{
    // A text of every defined cell, with ASCII and line breaks between rows.
    std::string sjis;
    for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            if (!DefinedInJisX0208(j1, j2))
                continue;
            const BytePair s = ToSjis(j1, j2);
            sjis += Pair(s.first, s.second);
        }
        sjis += "row\r\n";
    }
    sjis += "\x8F\x49\x82\xED\x82\xE8"; // 終わり: the text ends in two-byte mode
    const auto unicode = Iconv("CP932", "UTF-32LE", sjis);
    ASSERT_TRUE(unicode);
    // Through EUC-JP-MS, which shares code page 932's Unicode mapping.
    EXPECT_EQ(Iconv("EUC-JP-MS", "UTF-32LE", sjis2euc(sjis)), unicode);
    EXPECT_EQ(euc2sjis(sjis2euc(sjis)), sjis);
    EXPECT_EQ(jis2sjis(sjis2jis83(sjis)), sjis);
    EXPECT_EQ(jis2euc(sjis2jis83(sjis)), sjis2euc(sjis));
    EXPECT_EQ(euc2jis83(sjis2euc(sjis)), sjis2jis83(sjis));

    // iconv writes the same escapes, returning to ASCII at the end too.
    const auto iconvJis = Iconv("EUC-JP", "ISO-2022-JP", sjis2euc(sjis));
    ASSERT_TRUE(iconvJis);
    EXPECT_EQ(*iconvJis, sjis2jis83(sjis));
}

TEST(JisTable, AsciiAfterTwoByteRunsReadsAsAsciiInIconv)
{
    // '~' and '\\' after a run: JIS-Roman would turn them into overline and yen.
    const struct
    {
        std::string sjis;
        std::string utf8; // what iconv reads back from the JIS text
    } cases[] = {
        {"<a href=\"/~taro/\">\x93\xFA\x8B\x4C</a> C:\\dir", "<a href=\"/~taro/\">日記</a> C:\\dir"},
        {"\x93\xFA~\\\r\n\x8B\x4C\\~", "日~\\\r\n記\\~"},
        {"\xB1\xB2~ \\", "アイ~ \\"},
        {"\x81\x5F~\x81\x5F\\", "＼~＼\\"},
        {"~\\", "~\\"},
    };
    for (const auto &c : cases) {
        const std::string jis = sjis2jis83(c.sjis);
        EXPECT_EQ(Iconv("ISO-2022-JP", "UTF-8", jis), c.utf8) << c.utf8;
        EXPECT_EQ(euc2jis83(sjis2euc(c.sjis)), jis) << c.utf8;
    }
}

TEST(JisTable, HalfWidthKatakanaTable)
{
    // The full-width forms, in the order of U+FF61..U+FF9F (marks as spacing marks).
    const std::string expected = "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテト"
                                 "ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
    std::string jis = "\x1B$B";
    for (unsigned k = 0x21; k <= 0x5F; ++k) {
        jis += char(detail::HankanaRow(k));
        jis += char(detail::HankanaCell[k - 0x21]);
    }
    jis += "\x1B(B";
    EXPECT_EQ(Iconv("ISO-2022-JP", "UTF-8", jis), expected);

    // Each half-width byte goes through sjis2jis83 to its table entry.
    for (unsigned k = 0x21; k <= 0x5F; ++k) {
        const std::string out = sjis2jis83(std::string(1, char(k | 0x80)));
        EXPECT_EQ(out, std::string("\x1B$B") + char(detail::HankanaRow(k)) +
                           char(detail::HankanaCell[k - 0x21]) + "\x1B(B");
    }
}

TEST(JisTable, VoicedKanaFoldLikeUnicodeComposition)
{
    // Every kana that takes a mark folds into the composed full-width kana.
    const std::string voiced = "ヴガギグゲゴザジズゼゾダヂヅデドバビブベボ";
    std::string sjis;
    for (unsigned char kana : {0xB3, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF,
                               0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE}) {
        sjis += char(kana);
        sjis += '\xDE';
    }
    EXPECT_EQ(Iconv("ISO-2022-JP", "UTF-8", sjis2jis83(sjis)), voiced);

    std::string semi;
    for (unsigned char kana : {0xCA, 0xCB, 0xCC, 0xCD, 0xCE}) {
        semi += char(kana);
        semi += '\xDF';
    }
    EXPECT_EQ(Iconv("ISO-2022-JP", "UTF-8", sjis2jis83(semi)), "パピプペポ");
}
