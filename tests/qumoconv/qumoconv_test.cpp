// The program's files, help and failures, and its conversions beside the library.
#include "jconvert.h"
#include "tool.h"

TEST_F(Tool, UnreadableInputsExitTwo)
{
    Result missing = Run("--guess " + (dir / "nope.txt").string());
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("nope.txt"), std::string::npos);

    Result directory = Run("--to sjis " + dir.string());
    EXPECT_EQ(directory.status, 2);
    EXPECT_EQ(directory.out, "");

    if (::geteuid() != 0) { // root reads everything
        const fs::path locked = Write("locked.txt", "x");
        fs::permissions(locked, fs::perms::none);
        EXPECT_EQ(Run("--guess " + locked.string()).status, 2);
    }
}

TEST_F(Tool, HelpVersionAndFullOutputFailure)
{
    const Result help = Run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--unmime-header"), std::string::npos);
    const Result version = Run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("qumoconv ", 0), 0u);

    if (fs::exists("/dev/full")) {
        const std::string cmd = std::string(QUMOCONV_PATH) + " --help >/dev/full 2>/dev/null";
        const int raw = std::system(cmd.c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), 1);
    }
}

TEST_F(Tool, ConversionsEqualTheLibrary)
{
    std::string sjis;
    for (int i = 0; i < 5000; ++i)
        sjis += "abc \x82\xA0\x88\x9F\xB6\xDE\r\n";
    const fs::path file = Write("doc.txt", sjis);

    const Result guess = Run("--guess " + file.string());
    EXPECT_EQ(guess.out, "5 SJIS\n");

    const Result euc = Run("--to euc " + file.string());
    EXPECT_EQ(euc.status, 0);
    EXPECT_EQ(euc.out, Jconvert::ConvertJCode(sjis, Jconvert::JC_EUC));

    // From standard input, with the line end rewritten after the code.
    const Result jisLf = Run("--to jis --eol lf", sjis);
    EXPECT_EQ(jisLf.out, Jconvert::NormalizeReturnCode(Jconvert::ConvertJCode(sjis, 2), Jconvert::RC_LF));

    const Result strict = Run("--from euc --to sjis -", euc.out);
    EXPECT_EQ(strict.out, sjis);

    const Result b64 = Run("--base64 --wrap " + file.string());
    EXPECT_EQ(b64.out, Jconvert::EncodeBase64R(sjis, "\r\n"));
    EXPECT_EQ(Run("--unbase64", b64.out).out, sjis);
    const Result uu = Run("--uu --lf " + file.string());
    EXPECT_EQ(uu.out, Jconvert::EncodeUU(sjis, "\n"));
    EXPECT_EQ(Run("--unuu", uu.out).out, sjis);
    const Result hqx = Run("--binhex " + file.string());
    EXPECT_EQ(Run("--unbinhex", hqx.out).out, sjis);
    const Result mime = Run("--mime-header", "\x8C\x8F\x96\xBC test");
    EXPECT_EQ(mime.out, Jconvert::CreateHeaderString("\x8C\x8F\x96\xBC test"));
    EXPECT_EQ(Run("--unmime-header", mime.out).out, Jconvert::DecodeHeaderString(mime.out));
    // Given its code, any input converts, NUL bytes included.
    const std::string binary("\x00\x01\x82\xA0", 4);
    EXPECT_EQ(Run("--from sjis --to euc", binary).out, Jconvert::sjis2euc(binary));
}
