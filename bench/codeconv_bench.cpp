// Throughput of the code conversion library beside glibc iconv doing the same
// conversion on the same input in the same run. Prints MB/s and the ratio.
//   bench_codeconv [megabytes]        (default 64)
//   bench_codeconv --write-sample FILE [megabytes]
#include "jconvert.h"
#include "sample_text.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <iconv.h>
#include <string>

using namespace Jconvert;

namespace {

std::string IconvAll(const char *from, const char *to, const std::string &in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        std::perror("iconv_open");
        std::exit(1);
    }
    std::string out(in.size() * 2 + 64, '\0');
    char *src = const_cast<char *>(in.data());
    std::size_t left = in.size();
    char *dst = out.data();
    std::size_t room = out.size();
    if (iconv(cd, &src, &left, &dst, &room) == static_cast<std::size_t>(-1) ||
        iconv(cd, nullptr, nullptr, &dst, &room) == static_cast<std::size_t>(-1)) {
        std::perror("iconv");
        std::exit(1);
    }
    iconv_close(cd);
    out.resize(out.size() - room);
    return out;
}

double ThreadSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

// Best of several runs, in seconds of this thread's processor time, so that
// other work on a shared machine weighs less on the figures.
double Time(const std::function<std::size_t()> &run, int reps = 5)
{
    double best = 1e30;
    std::size_t sink = 0;
    for (int i = 0; i < reps; ++i) {
        const double t0 = ThreadSeconds();
        sink += run();
        best = std::min(best, ThreadSeconds() - t0);
    }
    if (sink == 0xFFFFFFFF)
        std::puts("");
    return best;
}

double MBps(std::size_t bytes, double seconds)
{
    return bytes / seconds / 1e6;
}

void Row(const char *name, std::size_t bytes, double ours, const char *baseName, double base)
{
    std::printf("%-14s %9.0f MB/s   %-26s %8.0f MB/s   ratio %6.2f\n", name, MBps(bytes, ours), baseName,
                MBps(bytes, base), base / ours);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--write-sample") == 0) {
        const std::size_t mb = argc >= 4 ? std::strtoul(argv[3], nullptr, 10) : 64;
        const std::string text = MakeSjisSample(mb << 20);
        std::ofstream(argv[2], std::ios::binary) << text;
        return 0;
    }
    const std::size_t mb = argc >= 2 ? std::strtoul(argv[1], nullptr, 10) : 64;
    const std::string sjis = MakeSjisSample(mb << 20);
    const std::string euc = sjis2euc(sjis);
    const std::string jis = sjis2jis83(sjis);
    std::printf("input: %zu bytes of generated Shift_JIS text (EUC %zu, JIS %zu)\n", sjis.size(), euc.size(),
                jis.size());

    // The library and iconv must agree before their speeds mean anything.
    if (IconvAll("CP932", "EUC-JP", sjis) != euc || IconvAll("EUC-JP", "CP932", euc) != sjis ||
        jis2sjis(jis) != sjis) {
        std::puts("MISMATCH between the library and iconv");
        return 1;
    }

    std::string ascii(sjis.size(), 'a');
    for (std::size_t i = 40; i < ascii.size(); i += 40)
        ascii[i - 2] = '\r', ascii[i - 1] = '\n';

    const double baseSjisEuc = Time([&] { return IconvAll("CP932", "EUC-JP", sjis).size(); });

    Row("InCodeCheck", ascii.size(), Time([&] { return std::size_t(InCodeCheck(ascii) + 1); }),
        "iconv CP932->EUC-JP", baseSjisEuc);
    Row("sjis2euc", sjis.size(), Time([&] { return sjis2euc(sjis).size(); }), "iconv CP932->EUC-JP",
        baseSjisEuc);
    Row("euc2sjis", euc.size(), Time([&] { return euc2sjis(euc).size(); }), "iconv EUC-JP->CP932",
        Time([&] { return IconvAll("EUC-JP", "CP932", euc).size(); }));
    Row("sjis2jis83", sjis.size(), Time([&] { return sjis2jis83(sjis).size(); }), "iconv CP932->ISO-2022-JP",
        Time([&] { return IconvAll("CP932", "ISO-2022-JP", sjis).size(); }));
    Row("jis2sjis", jis.size(), Time([&] { return jis2sjis(jis).size(); }), "iconv ISO-2022-JP->CP932",
        Time([&] { return IconvAll("ISO-2022-JP", "CP932", jis).size(); }));

    // Base64 has no iconv counterpart: memcpy of the same bytes is the yardstick.
    const std::string b64 = EncodeBase64(sjis);
    const double copy = Time([&] {
        std::string c(sjis.size(), '\0');
        std::memcpy(c.data(), sjis.data(), sjis.size());
        return c.size();
    });
    Row("EncodeBase64", sjis.size(), Time([&] { return EncodeBase64(sjis).size(); }), "memcpy", copy);
    Row("DecodeBase64", b64.size(), Time([&] { return DecodeBase64(b64).size(); }), "memcpy", copy);
    std::puts("ratio = baseline time / library time (above 1: the library is faster)");
    return 0;
}
