// qumoconv: the code conversion library on the command line.
#include "cli.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

namespace {

int Fail(const std::string &message)
{
    std::fprintf(stderr, "qumoconv: %s\n", message.c_str());
    return 2;
}

// Reads the whole stream; a regular file is read in one piece of its size.
bool ReadAll(std::FILE *f, std::string &out)
{
    struct stat st = {};
    if (fstat(fileno(f), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            errno = EISDIR;
            return false;
        }
        if (S_ISREG(st.st_mode) && st.st_size > 0)
            out.reserve(static_cast<std::size_t>(st.st_size) + 1);
    }
    char buf[1 << 16];
    std::size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, got);
    return !std::ferror(f);
}

// Writes everything to standard output; 1 when that fails (disk full, closed pipe).
int WriteOut(const std::string &bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "qumoconv: cannot write output: %s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = qumoconv::ParseArguments(args);
    if (const auto *err = std::get_if<std::string>(&parsed))
        return Fail(*err);
    const auto &options = std::get<qumoconv::Options>(parsed);

    if (options.operation == qumoconv::Operation::Help)
        return WriteOut(qumoconv::UsageText());
    if (options.operation == qumoconv::Operation::Version)
        return WriteOut(std::string("qumoconv ") + QUMO_VERSION + "\n");

    std::string input;
    const bool fromStdin = options.inputPath.empty() || options.inputPath == "-";
    std::FILE *f = fromStdin ? stdin : std::fopen(options.inputPath.c_str(), "rb");
    const std::string shownName = fromStdin ? std::string("standard input") : options.inputPath;
    if (!f)
        return Fail("cannot open " + shownName + ": " + std::strerror(errno));
    const bool ok = ReadAll(f, input);
    const int readErrno = errno;
    if (!fromStdin)
        std::fclose(f);
    if (!ok)
        return Fail("cannot read " + shownName + ": " + std::strerror(readErrno));

    const std::string output = qumoconv::Run(options, input);
    input = std::string(); // free the input before the output is written
    return WriteOut(output);
}
