// Input that cannot be converted whole: refused with the offset of the first
// character at fault and nothing written, in every direction, or with
// --replace converted with the geta mark in that character's place.
#include "iconv_oracle.h"
#include "jconvert.h"
#include "tool.h"

namespace {

struct Unconvertible
{
    const char *name;
    std::string args;
    std::string input;
    std::string says;     // a part of the refusal
    std::string replaced; // the output with --replace
};

class UnconvertibleInput : public Tool, public ::testing::WithParamInterface<Unconvertible>
{
};

const std::string Kanji = "\x1B$B", Ascii = "\x1B(B";

} // namespace

TEST_P(UnconvertibleInput, RefusedWithItsOffsetOrReplaced)
{
    const Unconvertible &c = GetParam();
    for (bool pipe : {false, true}) {
        const Result r = Run(c.args, c.input, pipe);
        EXPECT_EQ(r.status, 1) << pipe;
        EXPECT_EQ(r.out, "") << pipe;
        EXPECT_EQ(r.ErrLines(), 1) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    const Result replaced = Run(c.args + " --replace " + Write("in", c.input).string());
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(replaced.out, c.replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, UnconvertibleInput,
    ::testing::Values(
        Unconvertible{"SjisLeadBeforeLf", "--from sjis --to jis", "\x93\xFA\x93\nabc",
                      "byte 0x93 at offset 2 is not Shift_JIS", Kanji + "\x46\x7C\x22\x2E" + Ascii + "\nabc"},
        Unconvertible{"SjisLeadBeforeCrLf", "--from sjis --to euc", "a\x82\r\n", "byte 0x82 at offset 1",
                      "a\xA2\xAE\r\n"},
        Unconvertible{"SjisCutToUtf8", "--from sjis --to utf8", "ab\x82",
                      "byte 0x82 at offset 2 is not Shift_JIS: the input ends inside", "ab〓"},
        Unconvertible{"EucJisX0212", "--from euc --to sjis", "T\x8F\xAB\xD7kaid\x8F\xAB\xD7 and",
                      "character at offset 1 has no Shift_JIS form", "T\x81\xACkaid\x81\xAC and"},
        Unconvertible{"EucJisX0212ToJis", "--from euc --to jis", "\xC5\xEC\x8F\xAB\xD7k", "offset 2",
                      Kanji + "\x45\x6C\x22\x2E" + Ascii + "k"},
        Unconvertible{"EucJisX0212ToUtf8", "--from euc --to utf8", "T\x8F\xAB\xD7k", "offset 1", "T〓k"},
        Unconvertible{"EucCutThreeByte", "--from euc --to sjis", "\xA4\xA2\x8F\xA1",
                      "byte 0x8F at offset 2 is not EUC-JP: the input ends inside", "\x82\xA0\x81\xAC"},
        Unconvertible{"JisHalfPairToEuc", "--from jis --to euc", "abc" + Kanji + "F",
                      "byte 0x46 at offset 6 is not ISO-2022-JP", "abc\xA2\xAE"},
        Unconvertible{"JisHalfPairToSjis", "--from jis --to sjis", "abc" + Kanji + "F", "offset 6",
                      "abc\x81\xAC"},
        Unconvertible{"JisHalfPairToUtf8", "--from jis --to utf8", "abc" + Kanji + "F", "offset 6", "abc〓"},
        Unconvertible{"DetectedJisEightBit", "--to sjis", Kanji + "\x30\x21" + Ascii + "\xB1", "offset 8",
                      "\x88\x9F\x81\xAC"},
        Unconvertible{"Utf8LacksShiftJis", "--to sjis", "ab😀c", "character at offset 2 has no Shift_JIS form",
                      "ab\x81\xAC"
                      "c"},
        Unconvertible{"Utf8UserDefinedToEuc", "--from utf8 --to euc", "日\xEE\x80\x80z",
                      "character at offset 3 has no EUC-JP form", "\xC6\xFC\xA2\xAEz"}),
    [](const auto &info) { return info.param.name; });

TEST_F(Tool, JisOutputEndsInAsciiAsIconvWritesIt)
{
    const std::string sjis = "abc\r\n\x8F\x49\x82\xED\x82\xE8"; // ... 終わり
    const auto iconvJis = Iconv("CP932", "ISO-2022-JP", sjis);
    ASSERT_TRUE(iconvJis);
    for (bool pipe : {false, true}) {
        EXPECT_EQ(Run("--to jis", sjis, pipe).out, *iconvJis);
        EXPECT_EQ(Run("--from euc --to jis", Jconvert::sjis2euc(sjis), pipe).out, *iconvJis);
    }
    EXPECT_EQ(Run("--from utf8 --to jis", "abc\r\n終わり").out, *iconvJis);
}

TEST_F(Tool, ReplaceIsForCodeConversionOnly)
{
    EXPECT_EQ(Run("--eol lf --replace", "a\r\n").status, 2);
    EXPECT_EQ(Run("--base64 --replace", "a").status, 2);
}
