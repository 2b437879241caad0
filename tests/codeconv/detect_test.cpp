#include "bytes.h"
#include "jconvert.h"

#include <gtest/gtest.h>

using namespace Jconvert;

TEST(InCodeCheck, EmptyAndOneByteTextsAreAscii)
{
    EXPECT_EQ(InCodeCheck(""), JC_ASCII);
    EXPECT_EQ(InCodeCheck("a"), JC_ASCII);
    // The last byte never starts a rule and is skipped by the pre-scan.
    EXPECT_EQ(InCodeCheck(B({0x01})), JC_ASCII);
    EXPECT_EQ(InCodeCheck(B({0x82})), JC_ASCII);
    EXPECT_EQ(InCodeCheck(B({'a', 0xFF})), JC_ASCII);
}

TEST(InCodeCheck, BinaryPreScanCoversTheFirst512Bytes)
{
    std::string text(700, 'a');
    text[100] = 0x01;
    EXPECT_EQ(InCodeCheck(text), JC_BINARY);

    // Beyond the pre-scan a control byte counts only while still undecided.
    std::string late(700, 'a');
    late[600] = 0x01;
    EXPECT_EQ(InCodeCheck(late), JC_BINARY);
    std::string decided = B({0x82, 0xA0}) + std::string(700, 'a');
    decided[600] = 0x01;
    EXPECT_EQ(InCodeCheck(decided), JC_SJIS);

    // 0xFF in the pre-scan is binary even after Shift_JIS evidence.
    EXPECT_EQ(InCodeCheck(B({0x82, 0xA0, 0xFF, 'a'})), JC_BINARY);
    // 0x07 is binary, 0x08 (backspace) is not.
    EXPECT_EQ(InCodeCheck(B({'a', 0x07, 'b'})), JC_BINARY);
    EXPECT_EQ(InCodeCheck(B({'a', 0x08, 'b'})), JC_ASCII);
}

TEST(InCodeCheck, JisEscapes)
{
    EXPECT_EQ(InCodeCheck(B({ESC, '$', 'B', 0x24, 0x22, ESC, '(', 'B'})), JC_JIS_NEW);
    EXPECT_EQ(InCodeCheck(B({ESC, '$', '@', 0x24, 0x22})), JC_JIS_OLD);
    EXPECT_EQ(InCodeCheck(B({ESC, '(', 'B', 'a', 'b'})), JC_ASCII);
    EXPECT_EQ(InCodeCheck(B({'x', ESC, '$', 'A', 'b'})), JC_ASCII);
    // The escape is found anywhere in a long 7-bit text, past any block skipping.
    std::string text(1000, 'q');
    text += B({ESC, '$', 'B', 0x30, 0x21});
    EXPECT_EQ(InCodeCheck(text), JC_JIS_NEW);
    // ESC $ cut off by the end: the missing byte reads as 0x00.
    EXPECT_EQ(InCodeCheck(B({'a', ESC, '$'})), JC_ASCII);
}

TEST(InCodeCheck, ShiftJisEvidence)
{
    EXPECT_EQ(InCodeCheck(B({0x82, 0xA0})), JC_SJIS); // あ
    EXPECT_EQ(InCodeCheck(B({0xB1, 0x41})), JC_SJIS); // ｱA
    EXPECT_EQ(InCodeCheck(B({0x8E, 0x40})), JC_SJIS); // 0x8E as a Shift_JIS lead
    EXPECT_EQ(InCodeCheck(B({0xE0, 0x40})), JC_SJIS); // 0xE0 lead, low trail
    EXPECT_EQ(InCodeCheck(B({0xE0, 0xA0})), JC_SJIS);
    EXPECT_EQ(InCodeCheck(B({'a', 'b', 0x90, 0x9F})), JC_SJIS); // after ASCII
}

TEST(InCodeCheck, EucEvidence)
{
    EXPECT_EQ(InCodeCheck(B({0xA4, 0xA2})), JC_EUC_OR_SJIS); // EUC あ alone
    EXPECT_EQ(InCodeCheck(B({0xA4, 0xA2, 0xF0, 0xA1})), JC_EUC);
    EXPECT_EQ(InCodeCheck(B({0xB0, 0xF3})), JC_EUC); // lead A1-DF, trail F0-FE
    EXPECT_EQ(InCodeCheck(B({0xE0, 0xFD})), JC_EUC); // lead E0-EF, trail FD/FE
    EXPECT_EQ(InCodeCheck(B({0xE0, 0xFC})), JC_EUC_OR_SJIS);
    EXPECT_EQ(InCodeCheck(B({0x8E, 0xB1})), JC_EUC_OR_SJIS); // EUC half-width kana
}

TEST(InCodeCheck, UndecidedIsReplacedByLaterEvidence)
{
    EXPECT_EQ(InCodeCheck(B({0xA4, 0xA2, 'x', 0x82, 0xA0})), JC_SJIS);
    EXPECT_EQ(InCodeCheck(B({0xA4, 0xA2, 'x', 0xA4, 0xF3})), JC_EUC);
    // Bytes that decide nothing keep 0.
    EXPECT_EQ(InCodeCheck(B({0x80, 0xA0, 'a'})), JC_ASCII);
    EXPECT_EQ(InCodeCheck(B({0xA1, 0xA0, 'a'})), JC_ASCII);
}

TEST(InCodeCheck, RunScanAfterLeadA1toDFWithTrailE0toEF)
{
    // The run that follows decides: 0x81-0x8D / 0x8F-0x9C are Shift_JIS ...
    EXPECT_EQ(InCodeCheck(B({0xB0, 0xE0, 0xC0, 0x81, 'a'})), JC_SJIS);
    // ... 0x9D-0x9F are not (the run scan stops at 0x9C) ...
    EXPECT_EQ(InCodeCheck(B({0xB0, 0xE0, 0x9D, 0x9E})), JC_EUC_OR_SJIS);
    // ... 0xFD/0xFE are EUC.
    EXPECT_EQ(InCodeCheck(B({0xB0, 0xE0, 0xA1, 0xFE})), JC_EUC);
    // A byte below 0x40 ends the run and is not classified itself.
    EXPECT_EQ(InCodeCheck(B({0xB0, 0xE0, 0x20, 0x41})), JC_EUC_OR_SJIS);
    // The run ends at the end of the text without reading past it.
    EXPECT_EQ(InCodeCheck(B({0xB0, 0xE0, 0xC0})), JC_EUC_OR_SJIS);
}

TEST(InCodeCheck, LongAsciiPrefixThenEvidence)
{
    // Every alignment of the decisive byte against an eight-byte block.
    for (std::size_t k = 0; k < 24; ++k) {
        std::string t(600 + k, 'a');
        EXPECT_EQ(InCodeCheck(t + B({0x82, 0xA0})), JC_SJIS) << k;
        EXPECT_EQ(InCodeCheck(t + B({0xA4, 0xF3})), JC_EUC) << k;
        EXPECT_EQ(InCodeCheck(t + B({0x02, 'a'})), JC_BINARY) << k;
        EXPECT_EQ(InCodeCheck(t), JC_ASCII) << k;
    }
}
