// Writes the benchmarks' generated Shift_JIS text to a file, for the shell
// benchmarks: write_sample FILE [megabytes]
#include "sample_text.h"

#include <cstdlib>
#include <fstream>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const std::size_t mb = argc >= 3 ? std::strtoul(argv[2], nullptr, 10) : 64;
    std::ofstream out(argv[1], std::ios::binary);
    out << MakeSjisSample(mb << 20);
    return out ? 0 : 1;
}
