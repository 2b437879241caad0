#include "fast_tables.h"

#include "jconvert.h"

namespace Jconvert::detail {

namespace {

constexpr std::array<Pair, 65536> MakeSjisToJis()
{
    std::array<Pair, 65536> t{};
    for (unsigned i = 0; i < 65536; ++i) {
        const BytePair j = ToJis(static_cast<unsigned char>(i >> 8), static_cast<unsigned char>(i & 0xFF));
        t[i] = {j.first, j.second};
    }
    return t;
}

constexpr std::array<Pair, 16384> MakeJisToSjis()
{
    std::array<Pair, 16384> t{};
    for (unsigned i = 0; i < 16384; ++i) {
        const BytePair s = ToSjis(static_cast<unsigned char>(i >> 7), static_cast<unsigned char>(i & 0x7F));
        t[i] = {s.first, s.second};
    }
    return t;
}

} // namespace

constinit const std::array<Pair, 65536> SjisToJisTable = MakeSjisToJis();
constinit const std::array<Pair, 16384> JisToSjisTable = MakeJisToSjis();

int KanaToJis(unsigned char kana, const unsigned char *markAt, const unsigned char *end, bool eucForm,
              unsigned char *out)
{
    const unsigned char k = kana & 0x7F;
    unsigned char cell = HankanaCell[k - 0x21];
    out[0] = HankanaRow(k);

    unsigned char mark = 0;
    if (eucForm) {
        if (end - markAt >= 2 && markAt[0] == 0x8E)
            mark = markAt[1];
    } else if (markAt < end) {
        mark = markAt[0];
    }

    bool folded = false;
    if (mark == 0xDE) {
        if (k == 0x33) {
            cell = 0x74;
            folded = true;
        } else if ((k >= 0x36 && k <= 0x44) || (k >= 0x4A && k <= 0x4E)) {
            cell = static_cast<unsigned char>(cell + 1);
            folded = true;
        }
    } else if (mark == 0xDF && k >= 0x4A && k <= 0x4E) {
        cell = static_cast<unsigned char>(cell + 2);
        folded = true;
    }
    out[1] = cell;
    return folded ? 2 : 1;
}

} // namespace Jconvert::detail
