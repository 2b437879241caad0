// Conversion through the real program, a piece at a time: what it refuses,
// line ends, inputs of many pieces from files and pipes, and memory.
#include "jconvert.h"
#include "random_text.h"
#include "tool.h"

using namespace Jconvert;

namespace {

struct Refusal
{
    std::string name;
    std::string args;
    std::string input;
    std::string says;
};

class RefusedInput : public Tool, public ::testing::WithParamInterface<Refusal>
{
};

// Shift_JIS text of about `bytes`, with kana and marks, CR LF and lone LF.
std::string SjisText(std::size_t bytes)
{
    std::string s;
    for (unsigned i = 0; s.size() < bytes; ++i) {
        const BytePair p = ToSjis(0x30 + i % 0x40, 0x21 + i % 0x5E);
        s += {char(p.first), char(p.second), 'a', '\xB6', '\xDE', '\x82', '\xA0'};
        if (i % 9 == 0)
            s += i % 2 ? "\r\n" : "\n";
    }
    return s;
}

} // namespace

TEST_P(RefusedInput, ExitOneWithOneLineAndNoOutput)
{
    const Refusal &c = GetParam();
    for (bool pipe : {false, true}) {
        const Result r = Run(c.args, c.input, pipe);
        EXPECT_EQ(r.status, 1) << pipe;
        EXPECT_EQ(r.out, "") << pipe;
        EXPECT_EQ(r.ErrLines(), 1) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Detection, RefusedInput,
    ::testing::Values(
        Refusal{"Binary", "--to euc", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "binary"},
        Refusal{"BinaryAfterText", "--to sjis", std::string(1000, 'a') + "\x01 \x82\xA0", "binary"},
        Refusal{"EucOrSjis", "--to jis", "\xA4\xA2\xA4\xA4 text", "EUC-JP or Shift_JIS"},
        Refusal{"LongUndecided", "--to sjis", std::string(300000, '\xA4') + "\n",
                "--from euc or --from sjis"}),
    [](const auto &info) { return info.param.name; });

TEST_F(Tool, AsciiAndSameCodeCopyTheInput)
{
    const std::string ascii = "plain\r\ntext\n";
    EXPECT_EQ(Run("--to euc", ascii).out, ascii);
    const std::string sjis = SjisText(1000);
    EXPECT_EQ(Run("--to sjis", sjis).out, sjis);
    EXPECT_EQ(Run("--from sjis --to sjis", sjis).out, sjis);
}

TEST_F(Tool, EveryLineEndTakesTheTargetForm)
{
    const std::string mixed = "a\r\nb\rc\nd\r\r\n\n\re";
    struct Case
    {
        const char *eol;
        const char *expected;
    };
    for (const Case &c : {Case{"lf", "a\nb\nc\nd\n\n\n\ne"}, Case{"cr", "a\rb\rc\rd\r\r\r\re"},
                          Case{"crlf", "a\r\nb\r\nc\r\nd\r\n\r\n\r\n\r\ne"}}) {
        const Result r = Run(std::string("--eol ") + c.eol, mixed);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.expected) << c.eol;
    }
    // After the code conversion; JIS leaves two-byte mode before each line end.
    const std::string sjis = SjisText(5000);
    EXPECT_EQ(Run("--to jis --eol cr", sjis).out, NormalizeReturnCode(sjis2jis83(sjis), RC_CR));
}

// Many pieces, from a file and through a pipe, in every direction.
TEST_F(Tool, LargeInputsEqualTheWholeTextConversion)
{
    std::mt19937 rng(99);
    const std::string sjis = SjisText(3 << 20);
    const std::string euc = sjis2euc(sjis);
    const std::string jis = sjis2jis83(sjis);
    struct Case
    {
        std::string args;
        const std::string &input;
        std::string expected;
    };
    const std::string noise = RandomText(rng, 2 << 20, false);
    const Case cases[] = {
        {"--to euc", sjis, euc},
        {"--to jis --eol lf", sjis, NormalizeReturnCode(jis, RC_LF)},
        {"--to sjis", euc, sjis},
        {"--to jis", euc, euc2jis83(euc)},
        {"--to sjis --eol crlf", jis, NormalizeReturnCode(jis2sjis(jis), RC_CRLF)},
        {"--to euc", jis, jis2euc(jis)},
        // Noise is refused unless the geta mark may replace what does not convert.
        {"--from sjis --to jis --replace", noise, sjis2jis83(noise)},
        {"--from euc --to sjis --replace", noise, euc2sjis(noise)},
        {"--from jis --to euc --replace", noise, jis2euc(noise)},
    };
    for (const Case &c : cases) {
        for (bool pipe : {false, true}) {
            const Result r = Run(c.args, c.input, pipe);
            EXPECT_EQ(r.status, 0) << c.args << r.err;
            ASSERT_TRUE(r.out == c.expected) << c.args << (pipe ? " through a pipe" : "");
        }
    }
    const Result guess = Run("--guess", euc, true);
    EXPECT_EQ(guess.out, "4 EUC\n");
}

// Detection open for longer than the program holds bytes: a file is scanned
// to the decision and read again, a pipe's bytes are held.
TEST_F(Tool, LongUndecidedStretchThenAnEucOnlyByte)
{
    std::string euc;
    for (unsigned i = 0; euc.size() < (20u << 20); ++i)
        euc += {char(0xA4), char(0xA1 + i % 0x3F), char(0xA5), char(0xA1 + i % 0x3F), ' '};
    ASSERT_EQ(InCodeCheck(euc), JC_EUC_OR_SJIS);
    euc += "\xB0\xF5\r\n"; // a trail byte of 0xF0 or above is EUC-JP's alone
    ASSERT_EQ(InCodeCheck(euc), JC_EUC);
    const std::string expected = euc2sjis(euc);
    for (bool pipe : {false, true}) {
        const Result r = Run("--to sjis", euc, pipe);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.out == expected) << pipe;
    }
}

TEST_F(Tool, LargeInputUnderAMemoryLimit)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than the limit";
#else
    if (std::system("prlimit --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no prlimit";
    // More input than the address space the program may use.
    const std::string sjis = SjisText(24 << 20);
    const Result r = Run("--to euc --eol lf", sjis, false, "prlimit --as=" + std::to_string(16 << 20));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out == NormalizeReturnCode(sjis2euc(sjis), RC_LF));
#endif
}
