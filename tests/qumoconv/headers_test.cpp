// Header words from the terminal's UTF-8 or from Shift_JIS, and words that are
// not words, through the real program.
#include "iconv_oracle.h"
#include "tool.h"

namespace {

struct HeaderCase
{
    std::string name;
    std::string operation;
    std::string input;
    int status;
    std::string out;
    std::string err; // a part of the one line on standard error
};

const std::string Subject = "=?ISO-2022-JP?B?GyRCN29MPhsoQg==?= test"; // 件名 test

std::vector<HeaderCase> Cases()
{
    return {
        {"Utf8", "--mime-header", "件名 test", 0, Subject, ""},
        {"Utf8WithMark", "--mime-header", "\xEF\xBB\xBF件名 test", 0, Subject, ""},
        {"ShiftJis", "--mime-header", "\x8C\x8F\x96\xBC test", 0, Subject, ""},
        {"HalfWidthKanaInFullWidth", "--mime-header", "ｱ x", 0, "=?ISO-2022-JP?B?GyRCJSIbKEI=?= x", ""},
        {"Ascii", "--mime-header", "plain ~\\", 0, "plain ~\\", ""},
        {"Utf8WithoutShiftJisForm", "--mime-header", "件名 \xF0\x9F\x98\x80", 1, "",
         "character at offset 7 has no Shift_JIS form"},
        {"NeitherUtf8NorShiftJis", "--mime-header", "ab\x8D test", 1, "", "byte 0x8D at offset 2"},
        {"LoneEightBitByte", "--mime-header", "a\xFF", 1, "", "byte 0xFF at offset 1"},
        {"WordBack", "--unmime-header", Subject, 0, "\x1B$B7oL>\x1B(B test", ""},
        {"NotBase64KeptAsWritten", "--unmime-header", "=?ISO-2022-JP?B?!!!?=", 0,
         "=?ISO-2022-JP?B?!!!?=", ""},
        {"UnclosedKeptAsWritten", "--unmime-header", "x =?ISO-2022-JP?B?GyRC\n", 0,
         "x =?ISO-2022-JP?B?GyRC\n", ""},
    };
}

class Headers : public Tool, public ::testing::WithParamInterface<HeaderCase>
{
};

} // namespace

TEST_P(Headers, ConvertOrRefuseInOneLine)
{
    const HeaderCase &c = GetParam();
    const Result r = Run(c.operation, c.input, true);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.out, c.out);
    if (c.err.empty()) {
        EXPECT_EQ(r.err, "");
    } else {
        EXPECT_EQ(r.ErrLines(), 1) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    // Whatever the encoder writes is 7-bit.
    EXPECT_TRUE(c.operation != "--mime-header" ||
                std::none_of(r.out.begin(), r.out.end(), [](char b) { return b & 0x80; }));
}

INSTANTIATE_TEST_SUITE_P(Words, Headers, ::testing::ValuesIn(Cases()),
                         [](const auto &info) { return info.param.name; });

TEST_F(Tool, DecodedWordsAndJisOutputReadBackInIconv)
{
    // After the JIS text, '~' and '\' are ASCII, not overline and yen.
    const Result words = Run("--unmime-header", "x " + Subject + " ~\\");
    EXPECT_EQ(Iconv("ISO-2022-JP", "UTF-8", words.out), "x 件名 test ~\\");
    const Result jis = Run("--from sjis --to jis", "<a href=\"/~taro/\">\x93\xFA\x8B\x4C</a> C:\\dir\n");
    EXPECT_EQ(jis.status, 0);
    EXPECT_EQ(Iconv("ISO-2022-JP", "UTF-8", jis.out), "<a href=\"/~taro/\">日記</a> C:\\dir\n");
}

TEST_F(Tool, OutOfMemoryIsOneLineAndStatusOne)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an address-space limit leaves AddressSanitizer no room for its shadow memory";
#endif
    // Whole-input decoding of a regular file, and undecided text held from a pipe.
    const std::string base64(24 << 20, 'A');
    const struct
    {
        std::string args;
        bool pipe;
    } cases[] = {{"--unbase64", false}, {"--to euc", true}};
    for (const auto &c : cases) {
        const Result r = Run(c.args, base64, c.pipe, "prlimit --as=40000000");
        EXPECT_EQ(r.status, 1) << c.args << r.err;
        EXPECT_EQ(r.err, "qumoconv: out of memory\n") << c.args;
        EXPECT_EQ(r.out, "") << c.args;
    }
}
