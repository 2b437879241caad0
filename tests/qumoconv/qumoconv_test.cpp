#include "cli.h"
#include "jconvert.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

namespace fs = std::filesystem;
using namespace qumoconv;

namespace {

Options Parse(std::vector<std::string> args)
{
    auto r = ParseArguments(args);
    if (auto *err = std::get_if<std::string>(&r))
        ADD_FAILURE() << *err;
    return std::get_if<Options>(&r) ? std::get<Options>(r) : Options{};
}

std::string ParseError(std::vector<std::string> args)
{
    auto r = ParseArguments(args);
    return std::get_if<std::string>(&r) ? std::get<std::string>(r) : std::string();
}

struct Result
{
    int status = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const fs::path &p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Runs the real program with its standard streams in files.
class Tool : public ::testing::Test
{
protected:
    fs::path dir;

    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("qumoconv_test_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path Write(const std::string &name, const std::string &bytes)
    {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return dir / name;
    }

    Result Run(const std::string &args, const std::string &stdinBytes = "")
    {
        const fs::path in = Write("stdin", stdinBytes);
        const std::string cmd = std::string(QUMOCONV_PATH) + " " + args + " <" + in.string() + " >" +
                                (dir / "out").string() + " 2>" + (dir / "err").string();
        const int raw = std::system(cmd.c_str());
        Result r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = Slurp(dir / "out");
        r.err = Slurp(dir / "err");
        return r;
    }
};

} // namespace

TEST(Arguments, Operations)
{
    EXPECT_EQ(Parse({"--guess"}).operation, Operation::Guess);
    const Options to = Parse({"--to", "euc", "in.txt"});
    EXPECT_EQ(to.operation, Operation::Convert);
    EXPECT_EQ(to.to, Jconvert::JC_EUC);
    EXPECT_FALSE(to.from);
    EXPECT_EQ(to.inputPath, "in.txt");
    const Options strict = Parse({"--from", "jis-old", "--to", "5"});
    EXPECT_EQ(strict.from, Jconvert::JC_JIS_OLD);
    EXPECT_EQ(strict.to, Jconvert::JC_SJIS);
    const Options both = Parse({"--to", "sjis", "--eol", "lf"});
    EXPECT_EQ(both.eol, Jconvert::RC_LF);
    EXPECT_TRUE(Parse({"--base64", "--wrap", "--lf"}).wrap);
    EXPECT_TRUE(Parse({"--uu", "--lf"}).lf);
}

TEST(Arguments, Mistakes)
{
    EXPECT_NE(ParseError({}), "");
    EXPECT_NE(ParseError({"--bogus"}).find("--bogus"), std::string::npos);
    EXPECT_NE(ParseError({"--to"}).find("needs a value"), std::string::npos);
    EXPECT_NE(ParseError({"--to", "utf8"}).find("utf8"), std::string::npos);
    EXPECT_NE(ParseError({"--to", "7"}), "");
    EXPECT_NE(ParseError({"--eol", "crcr"}), "");
    EXPECT_NE(ParseError({"--from", "sjis"}), "");
    EXPECT_NE(ParseError({"--guess", "--base64"}), "");
    EXPECT_NE(ParseError({"--to", "euc", "--uu"}), "");
    EXPECT_NE(ParseError({"--wrap", "--uu"}), "");
    EXPECT_NE(ParseError({"--lf", "--base64"}), "");
    EXPECT_NE(ParseError({"--guess", "a", "b"}), "");
}

TEST(Arguments, EolAfterCodeConversion)
{
    Options o = Parse({"--to", "jis", "--eol", "lf"});
    const std::string sjis = "\x82\xA0\r\n";
    EXPECT_EQ(qumoconv::Run(o, sjis), Jconvert::ConvertReturnCode(Jconvert::ConvertJCode(sjis, 2), 3));
    EXPECT_EQ(qumoconv::Run(Parse({"--guess"}), sjis), "5 SJIS\n");
    EXPECT_EQ(CodeName(6), "6 EUC_OR_SJIS");
}

TEST_F(Tool, BadOptionsExitTwoWithOneLineAndNoOutput)
{
    for (const char *args : {"--bogus", "--to klingon", "", "--to", "--guess --uu", "--from euc"}) {
        const Result r = Run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        ASSERT_FALSE(r.err.empty()) << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args;
        EXPECT_EQ(r.err.rfind("qumoconv: ", 0), 0u) << args;
    }
}

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
    EXPECT_EQ(jisLf.out, Jconvert::ConvertReturnCode(Jconvert::ConvertJCode(sjis, 2), Jconvert::RC_LF));

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
    // Binary input passes through untouched, NUL bytes included.
    const std::string binary("\x00\x01\x82\xA0", 4);
    EXPECT_EQ(Run("--to euc", binary).out, binary);
}
