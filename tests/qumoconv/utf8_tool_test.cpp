// UTF-8 on the command line: detected, and converted to and from, with glibc
// iconv as the reference.
#include "iconv_oracle.h"
#include "jconvert.h"
#include "tool.h"

namespace {

std::string Oracle(const char *from, const char *to, const std::string &in)
{
    return Iconv(from, to, in).value_or("ICONV REFUSED");
}

} // namespace

TEST_F(Tool, GuessTellsUtf8FromTheJapaneseCodes)
{
    std::string utf8;
    for (int i = 0; i < 20000; ++i)
        utf8 += "<p>日本語 ｶﾅ ①</p>\n";
    const std::string sjis = Oracle("UTF-8", "CP932", utf8);
    const struct
    {
        const char *what;
        std::string input;
        const char *guess;
    } cases[] = {
        {"UTF-8 of more than one piece", utf8, "7 UTF8\n"},
        {"the mark before ASCII", "\xEF\xBB\xBFplain", "7 UTF8\n"},
        {"pure ASCII", "plain\n", "0 ASCII\n"},
        {"Shift_JIS", sjis, "5 SJIS\n"},
        {"UTF-8 until a Shift_JIS line past the first piece", utf8 + sjis.substr(0, 40), "5 SJIS\n"},
        {"UTF-8 cut short", utf8 + "\xE6\x97", "5 SJIS\n"},
        {"EUC-JP", Oracle("UTF-8", "EUC-JP", "日本語のテキスト"), "4 EUC\n"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Run("--guess " + Write("in", c.input).string()).out, c.guess) << c.what;
        EXPECT_EQ(Run("--guess", c.input, true).out, c.guess) << c.what << " (pipe)";
    }
}

TEST_F(Tool, ConvertsToAndFromUtf8)
{
    const std::string utf8 = "<p>日本語 ｶﾅ ①Ⅱ～∥－</p>\r\n二行目\r\n";
    const std::string sjis = Oracle("UTF-8", "CP932", utf8);
    const std::string euc = Jconvert::sjis2euc(sjis);
    const struct
    {
        std::string args;
        std::string input;
        std::string output;
    } cases[] = {
        {"--to sjis", utf8, sjis},
        {"--to utf8", sjis, utf8},
        {"--from utf8 --to euc", utf8, euc},
        {"--to utf8", euc, utf8},
        {"--from utf8 --to jis --eol lf", utf8,
         Jconvert::NormalizeReturnCode(Jconvert::sjis2jis83(sjis), Jconvert::RC_LF)},
        {"--to utf8 --eol cr", utf8, Jconvert::NormalizeReturnCode(utf8, Jconvert::RC_CR)},
        {"--to sjis", "\xEF\xBB\xBF" + utf8, sjis},
        {"--to utf8", "\xEF\xBB\xBF" + utf8, "\xEF\xBB\xBF" + utf8},
        {"--from 7 --to 5", utf8, sjis},
    };
    for (const auto &c : cases) {
        const Result r = Run(c.args, c.input);
        EXPECT_EQ(r.status, 0) << c.args << ": " << r.err;
        EXPECT_EQ(r.out, c.output) << c.args;
    }
}

TEST_F(Tool, WhatCannotBeConvertedStopsWithItsOffset)
{
    const struct
    {
        std::string args;
        std::string input;
        std::string message;
    } cases[] = {
        {"--to sjis", "ab😀", "offset 2 has no Shift_JIS form"},
        {"--from utf8 --to euc", "ab\xE3\x81", "byte 0xE3 at offset 2 is not UTF-8"},
        {"--from sjis --to utf8", "ab\x82", "byte 0x82 at offset 2 is not Shift_JIS"},
    };
    for (const auto &c : cases) {
        const Result r = Run(c.args, c.input);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    }
}
