// qumoconv: the code conversion library on the command line.
#include "cli.h"
#include "io.h"
#include "jconvert.h"
#include "stream.h"
#include "whole_input.h"

#include <cstdio>
#include <new>

namespace {

int Run(const qumoconv::Options &options)
{
    using qumoconv::Operation;
    if (options.operation == Operation::Help) {
        qumoconv::WriteOut(qumoconv::UsageText());
        return 0;
    }
    if (options.operation == Operation::Version) {
        qumoconv::WriteOut(std::string("qumoconv ") + QUMO_VERSION + "\n");
        return 0;
    }
    qumoconv::Input in(options.inputPath);
    if (options.operation == Operation::Convert) {
        qumoconv::ConvertStream(options, in);
        return 0;
    }
    std::string input;
    if (options.operation == Operation::Guess) {
        qumoconv::WriteOut(qumoconv::CodeName(qumoconv::DetectCode(in, input)) + "\n");
        return 0;
    }
    in.ReadAll(input);
    const std::string output = qumoconv::RunWhole(options, input, in.Name());
    std::string().swap(input); // free the input before the output is written
    qumoconv::WriteOut(output);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = qumoconv::ParseArguments(args);
    if (const auto *err = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "qumoconv: %s\n", err->c_str());
        return 2;
    }
    try {
        return Run(std::get<qumoconv::Options>(parsed));
    } catch (const qumoconv::Failure &f) {
        std::fprintf(stderr, "qumoconv: %s\n", f.message.c_str());
        return f.status;
    } catch (const std::bad_alloc &) {
        std::fputs("qumoconv: out of memory\n", stderr);
        return 1;
    }
}
