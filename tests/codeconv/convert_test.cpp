#include "bytes.h"
#include "jconvert.h"
#include "reference_converters.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Jconvert;

namespace {
const std::string EnterKanji = B({ESC, '$', 'B'});
const std::string LeaveKanji = B({ESC, '(', 'B'});
} // namespace

TEST(PairArithmetic, KnownCells)
{
    EXPECT_EQ(ToSjis(0x30, 0x21), (BytePair{0x88, 0x9F})); // 亜
    EXPECT_EQ(ToJis(0x88, 0x9F), (BytePair{0x30, 0x21}));
    EXPECT_EQ(ToSjis(0x24, 0x22), (BytePair{0x82, 0xA0})); // あ
    EXPECT_EQ(ToSjis(0x21, 0x21), (BytePair{0x81, 0x40})); // full-width space
    EXPECT_EQ(ToSjis(0x7E, 0x7E), (BytePair{0xEF, 0xFC}));
    EXPECT_EQ(ToJis(0xEF, 0xFC), (BytePair{0x7E, 0x7E}));
    // Trail bytes either side of 0x7F and of 0x9F.
    EXPECT_EQ(ToJis(0x81, 0x7E), (BytePair{0x21, 0x5F}));
    EXPECT_EQ(ToJis(0x81, 0x80), (BytePair{0x21, 0x60}));
    EXPECT_EQ(ToJis(0x81, 0x9E), (BytePair{0x21, 0x7E}));
    EXPECT_EQ(ToJis(0x81, 0x9F), (BytePair{0x22, 0x21}));
}

TEST(sjis2jis83, EscapesAroundDoubleByteRuns)
{
    EXPECT_EQ(sjis2jis83(B({'a', 0x82, 0xA0, 'b'})), "a" + EnterKanji + B({0x24, 0x22}) + LeaveKanji + "b");
    // Text that ends in two-byte mode returns to ASCII, as iconv's does.
    EXPECT_EQ(sjis2jis83(B({0x82, 0xA0})), EnterKanji + B({0x24, 0x22}) + LeaveKanji);
    // A line break inside a run leaves and re-enters two-byte mode.
    EXPECT_EQ(sjis2jis83(B({0x82, 0xA0, '\r', '\n', 0x82, 0xA2})),
              EnterKanji + B({0x24, 0x22}) + LeaveKanji + "\r\n" + EnterKanji + B({0x24, 0x24}) + LeaveKanji);
    EXPECT_EQ(sjis2jis83(""), "");
    EXPECT_EQ(sjis2jis83("plain ascii text, longer than a block"), "plain ascii text, longer than a block");
}

TEST(sjis2jis83, HalfWidthKatakanaBecomeFullWidth)
{
    EXPECT_EQ(sjis2jis83(B({0xB6, 0xDE})), EnterKanji + B({0x25, 0x2C}) + LeaveKanji); // ｶﾞ -> ガ
    EXPECT_EQ(sjis2jis83(B({0xCA, 0xDF})), EnterKanji + B({0x25, 0x51}) + LeaveKanji); // ﾊﾟ -> パ
    EXPECT_EQ(sjis2jis83(B({0xB3, 0xDE})), EnterKanji + B({0x25, 0x74}) + LeaveKanji); // ｳﾞ -> ヴ
    EXPECT_EQ(sjis2jis83(B({0xB1, 0xDE})),
              EnterKanji + B({0x25, 0x22, 0x21, 0x2B}) + LeaveKanji); // ｱﾞ -> ア゛
    EXPECT_EQ(sjis2jis83(B({0xB6, 0xDF})),
              EnterKanji + B({0x25, 0x2B, 0x21, 0x2C}) + LeaveKanji);            // ｶﾟ -> カ゜
    EXPECT_EQ(sjis2jis83(B({0xB0})), EnterKanji + B({0x21, 0x3C}) + LeaveKanji); // ｰ -> ー
    EXPECT_EQ(sjis2jis83(B({0xA1, 0xDE})), EnterKanji + B({0x21, 0x23, 0x21, 0x2B}) + LeaveKanji); // ｡ﾞ
    EXPECT_EQ(sjis2jis83(B({0xC4, 0xDE, 'x'})), EnterKanji + B({0x25, 0x49}) + LeaveKanji + "x"); // ﾄﾞ -> ド
    EXPECT_EQ(sjis2jis83(B({0xC5, 0xDE})),
              EnterKanji + B({0x25, 0x4A, 0x21, 0x2B}) + LeaveKanji); // ﾅﾞ does not fold
}

TEST(euc2jis83, PairsLoseTheirTopBitsAndKanaFold)
{
    EXPECT_EQ(euc2jis83(B({'a', 0xA4, 0xA2, 'b'})), "a" + EnterKanji + B({0x24, 0x22}) + LeaveKanji + "b");
    EXPECT_EQ(euc2jis83(B({0x8E, 0xB6, 0x8E, 0xDE})), EnterKanji + B({0x25, 0x2C}) + LeaveKanji);
    EXPECT_EQ(euc2jis83(B({0x8E, 0xCA, 0x8E, 0xDF, 0x8E, 0xB1})),
              EnterKanji + B({0x25, 0x51, 0x25, 0x22}) + LeaveKanji);
    // A mark byte that is not behind 0x8E is not a mark.
    EXPECT_EQ(euc2jis83(B({0x8E, 0xB6, 0xDE, 0xA1, 'x'})),
              EnterKanji + B({0x25, 0x2B, 0x5E, 0x21}) + LeaveKanji + "x");
}

TEST(jis2sjis, BothEscapeFormsAndAnyLeaveEscape)
{
    const std::string aiueo = B({0x24, 0x22, 0x24, 0x24});
    EXPECT_EQ(jis2sjis(EnterKanji + aiueo + B({ESC, '(', 'B'}) + "x"), B({0x82, 0xA0, 0x82, 0xA2, 'x'}));
    EXPECT_EQ(jis2sjis(B({ESC, '$', '@'}) + aiueo + LeaveKanji + "x"), B({0x82, 0xA0, 0x82, 0xA2, 'x'}));
    // ESC ( I leaves two-byte mode; its katakana get no special treatment.
    EXPECT_EQ(jis2sjis(EnterKanji + aiueo + B({ESC, '(', 'I', 0x31})), B({0x82, 0xA0, 0x82, 0xA2, 0x31}));
    // An unknown escape is dropped and changes nothing.
    EXPECT_EQ(jis2sjis(B({'a', ESC, 'N', 'x', 'b'})), "ab");
    // Control bytes inside two-byte mode pass through.
    EXPECT_EQ(jis2sjis(EnterKanji + B({0x24, 0x22, '\r', '\n', 0x24, 0x22})),
              B({0x82, 0xA0, '\r', '\n', 0x82, 0xA0}));
}

TEST(jis2sjis, ChainedEscapesAreAllHonoured)
{
    // A leave escape followed at once by an enter escape, as some mailers write.
    const std::string text = EnterKanji + B({0x24, 0x22}) + B({ESC, '(', 'B'}) + EnterKanji + B({0x24, 0x24});
    EXPECT_EQ(jis2sjis(text), B({0x82, 0xA0, 0x82, 0xA2}));
    EXPECT_EQ(jis2euc(text), B({0xA4, 0xA2, 0xA4, 0xA4}));
}

TEST(jis2euc, SetsTopBitsInTwoByteMode)
{
    EXPECT_EQ(jis2euc(EnterKanji + B({0x30, 0x21, ' ', 0x7F}) + LeaveKanji + "A"),
              B({0xB0, 0xA1, 0x20, 0x7F, 'A'}));
}

TEST(euc2sjis, PairsKanaAndPassThrough)
{
    EXPECT_EQ(euc2sjis(B({0xB0, 0xA1, 'a', 0x8E, 0xB1})), B({0x88, 0x9F, 'a', 0xB1}));
}

TEST(sjis2euc, PairsKanaAndPassThrough)
{
    EXPECT_EQ(sjis2euc(B({0x88, 0x9F, 'a', 0xB1})), B({0xB0, 0xA1, 'a', 0x8E, 0xB1}));
    EXPECT_EQ(sjis2euc(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(ConvertJCode, ChoosesTheConverterByDetectedSource)
{
    const std::string sjis = B({'x', 0x82, 0xA0, 0x88, 0x9F});
    const std::string euc = B({'x', 0xA4, 0xA2, 0xB0, 0xA1, 0xA4, 0xF3}); // ends in ん: decisive
    const std::string jis = "x" + EnterKanji + B({0x24, 0x22, 0x30, 0x21}) + LeaveKanji;

    EXPECT_EQ(ConvertJCode(sjis, JC_SJIS), sjis);
    EXPECT_EQ(ConvertJCode(sjis, JC_JIS_OLD), sjis);
    EXPECT_EQ(ConvertJCode(sjis, JC_JIS_NEW), jis);
    EXPECT_EQ(ConvertJCode(sjis, JC_EUC), sjis2euc(sjis));
    EXPECT_EQ(ConvertJCode(euc, JC_SJIS), euc2sjis(euc));
    EXPECT_EQ(ConvertJCode(euc, JC_JIS_NEW), euc2jis83(euc));
    EXPECT_EQ(ConvertJCode(jis, JC_SJIS), sjis);
    EXPECT_EQ(ConvertJCode(jis, JC_EUC), jis2euc(jis));
    EXPECT_EQ(ConvertJCode(jis, JC_JIS_NEW), jis);
    // Undecided, 7-bit and binary texts are never touched.
    EXPECT_EQ(ConvertJCode(B({0xA4, 0xA2}), JC_SJIS), B({0xA4, 0xA2}));
    EXPECT_EQ(ConvertJCode("plain", JC_EUC), "plain");
    EXPECT_EQ(ConvertJCode(B({0x01, 0x82, 0xA0}), JC_EUC), B({0x01, 0x82, 0xA0}));
    // ESC $ @ text stays as it is when JIS is asked for.
    const std::string old = B({ESC, '$', '@', 0x24, 0x22});
    EXPECT_EQ(ConvertJCode(old, JC_JIS_NEW), old);
    EXPECT_EQ(ConvertJCode(old, JC_SJIS), B({0x82, 0xA0}));
}

TEST(StrictConvertJCode, TheDispatchTable)
{
    const std::string s = B({0x82, 0xA0});
    EXPECT_EQ(StrictConvertJCode(s, JC_SJIS, JC_EUC), B({0xA4, 0xA2}));
    EXPECT_EQ(StrictConvertJCode(s, JC_ASCII, JC_EUC), s);
    EXPECT_EQ(StrictConvertJCode(s, JC_BINARY, JC_EUC), s);
    EXPECT_EQ(StrictConvertJCode(s, JC_EUC_OR_SJIS, JC_EUC), s);
    EXPECT_EQ(StrictConvertJCode(s, -4, JC_EUC), s);
    EXPECT_EQ(StrictConvertJCode(s, JC_SJIS, JC_ASCII), s);
    EXPECT_EQ(StrictConvertJCode(s, JC_SJIS, 42), s);
    // EUC text that detection would call undecided converts when named.
    EXPECT_EQ(StrictConvertJCode(B({0xA4, 0xA2}), JC_EUC, JC_SJIS), s);
    EXPECT_EQ(StrictConvertJCode(EnterKanji + B({0x24, 0x22}), JC_JIS_OLD, JC_SJIS), s);
}

TEST(Converters, EveryShortFragmentMatchesByteAtATimeConversion)
{
    // All strings of up to three bytes over the bytes that start or end
    // sequences, each in a heap buffer of its exact size so that the
    // sanitizer build sees any read past the end.
    const std::string alphabet =
        B({0x00, 0x0A, 0x0D, 0x1B, '$', '(', 'B', 0x24, 0x8E, 0x82, 0xA4, 0xB6, 0xDE, 0xDF, 0xF0});
    for (char a : alphabet)
        for (char b : alphabet)
            for (char c : alphabet) {
                const char text[] = {a, b, c};
                for (std::size_t len = 0; len <= 3; ++len) {
                    const auto buf = std::make_unique<char[]>(len);
                    std::copy(text, text + len, buf.get());
                    const std::string_view piece(buf.get(), len);
                    const int code = InCodeCheck(piece);
                    ASSERT_TRUE(code >= JC_ASCII && code <= JC_EUC_OR_SJIS);
                    ASSERT_EQ(sjis2jis83(piece), reference::ToJisText(piece, false));
                    ASSERT_EQ(euc2jis83(piece), reference::ToJisText(piece, true));
                    ASSERT_EQ(jis2sjis(piece), reference::FromJisText(piece, false));
                    ASSERT_EQ(jis2euc(piece), reference::FromJisText(piece, true));
                    ASSERT_EQ(sjis2euc(piece), reference::SjisToEuc(piece));
                    ASSERT_EQ(euc2sjis(piece), reference::EucToSjis(piece));
                    (void)DecodeBase64(piece);
                    (void)DecodeUU(piece);
                    (void)DecodeBinHex(piece);
                    (void)DecodeHeaderString(piece);
                }
            }
}
