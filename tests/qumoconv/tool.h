// Runs the real qumoconv with its standard streams in files.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

struct Result
{
    int status = -1;
    std::string out;
    std::string err;

    // Lines on standard error.
    long ErrLines() const { return std::count(err.begin(), err.end(), '\n'); }
};

inline std::string Slurp(const fs::path &p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

class Tool : public ::testing::Test
{
protected:
    fs::path dir;

    void SetUp() override
    {
        // Parameterised tests have a '/' in their names.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        dir = fs::temp_directory_path() / ("qumoconv_test_" + std::to_string(::getpid()) + "_" + name);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path Write(const std::string &name, const std::string &bytes)
    {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return dir / name;
    }

    // `prefix` goes before the program (e.g. "prlimit --as=N"); with `pipe`,
    // standard input comes through a pipe, which cannot be read twice.
    Result Run(const std::string &args, const std::string &stdinBytes = "", bool pipe = false,
               const std::string &prefix = "")
    {
        const fs::path in = Write("stdin", stdinBytes);
        const std::string program = prefix + " " + QUMOCONV_PATH + " " + args;
        const std::string cmd =
            (pipe ? "cat " + in.string() + " | " + program : program + " <" + in.string()) + " >" +
            (dir / "out").string() + " 2>" + (dir / "err").string();
        const int raw = std::system(cmd.c_str());
        Result r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = Slurp(dir / "out");
        r.err = Slurp(dir / "err");
        return r;
    }
};
