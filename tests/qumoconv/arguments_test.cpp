// Options: what is accepted, and the one-line refusals of the real program.
#include "cli.h"
#include "jconvert.h"
#include "tool.h"

using namespace qumoconv;

namespace {

Options Parse(std::vector<std::string> args)
{
    auto r = ParseArguments(args);
    if (auto *err = std::get_if<std::string>(&r))
        ADD_FAILURE() << *err;
    return std::get_if<Options>(&r) ? std::get<Options>(r) : Options{};
}

} // namespace

TEST(Arguments, Operations)
{
    EXPECT_EQ(Parse({"--guess"}).operation, Operation::Guess);
    const Options to = Parse({"--to", "euc", "in.txt"});
    EXPECT_EQ(to.operation, Operation::Convert);
    EXPECT_EQ(to.to, Jconvert::CharCode::Euc);
    EXPECT_FALSE(to.from);
    EXPECT_EQ(to.inputPath, "in.txt");
    const Options strict = Parse({"--from", "jis-old", "--to", "5"});
    EXPECT_EQ(strict.from, Jconvert::CharCode::JisOld);
    EXPECT_EQ(strict.to, Jconvert::CharCode::Sjis);
    const Options both = Parse({"--to", "sjis", "--eol", "lf"});
    EXPECT_EQ(both.eol, Jconvert::ReturnCode::Lf);
    EXPECT_TRUE(Parse({"--base64", "--wrap", "--lf"}).wrap);
    EXPECT_TRUE(Parse({"--uu", "--lf"}).lf);
}

TEST(Arguments, RepeatsAndTheEndOfOptions)
{
    // The same value twice is no contradiction.
    EXPECT_EQ(Parse({"--to", "euc", "--to", "4"}).to, Jconvert::CharCode::Euc);
    EXPECT_EQ(Parse({"--guess", "--guess"}).operation, Operation::Guess);
    EXPECT_EQ(Parse({"--guess", "--", "--to"}).inputPath, "--to");
    EXPECT_EQ(Parse({"--guess", "--", "-"}).inputPath, "-");
    // After "--" an option's name is a file name.
    EXPECT_TRUE(std::holds_alternative<std::string>(ParseArguments({"--guess", "--", "-x", "--to"})));
}

struct Refusal
{
    const char *args;
    const char *says; // a part of the message
};

class Refused : public Tool, public ::testing::WithParamInterface<Refusal>
{
};

TEST_P(Refused, ExitTwoWithOneLineAndNoOutput)
{
    const Result r = Run(GetParam().args, "\x82\xA0 text to convert\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.ErrLines(), 1) << r.err;
    EXPECT_EQ(r.err.rfind("qumoconv: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(GetParam().says), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Options, Refused,
    ::testing::Values(Refusal{"--bogus", "--bogus"}, Refusal{"--to klingon", "klingon"},
                      Refusal{"", "no operation"}, Refusal{"--to", "needs a value"},
                      Refusal{"--guess --uu", "combined"}, Refusal{"--from euc", "--from needs --to"},
                      // Targets it does not convert to.
                      Refusal{"--to jis-old", "cannot convert to 'jis-old'"}, Refusal{"--to 0", "to '0'"},
                      Refusal{"--to 1", "to '1'"}, Refusal{"--to 3", "to '3'"}, Refusal{"--to 6", "to '6'"},
                      Refusal{"--to 8", "to '8'"},
                      // Detection results that name no code to convert from.
                      Refusal{"--from 6 --to euc", "from '6'"}, Refusal{"--from 1 --to sjis", "from '1'"},
                      Refusal{"--from 0 --to sjis", "from '0'"},
                      Refusal{"--to euc --to sjis", "--to given twice"},
                      Refusal{"--eol lf --eol cr", "--eol given twice"},
                      Refusal{"--from sjis --from euc --to jis", "--from given twice"},
                      Refusal{"--guess ''", "empty file name"}, Refusal{"--guess -- ''", "empty file name"},
                      Refusal{"--guess a b", "only one input"}, Refusal{"--wrap --uu", "--wrap"},
                      Refusal{"--lf --base64", "--lf"}, Refusal{"--eol crcr", "crcr"}));

TEST_F(Tool, DoubleDashLetsAFileNameStartWithADash)
{
    Write("-n.txt", "\x82\xA0\x82\xA2\n");
    const Result r = Run("--to euc -- -n.txt", "", false, "cd " + dir.string() + " &&");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, Jconvert::sjis2euc("\x82\xA0\x82\xA2\n"));
    EXPECT_EQ(Run("--to euc -n.txt", "", false, "cd " + dir.string() + " &&").status, 2);
}
