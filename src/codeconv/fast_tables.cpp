#include "fast_tables.h"

#include "hankana_table.h"
#include "jconvert.h"

namespace Jconvert::detail {

namespace {

template <typename F> constexpr std::array<Pair, 65536> MakeTable(F f)
{
    std::array<Pair, 65536> t{};
    for (unsigned a = 0; a < 256; ++a)
        for (unsigned b = 0; b < 256; ++b) {
            const BytePair r = f(static_cast<unsigned char>(a), static_cast<unsigned char>(b));
            t[PairIndex(static_cast<unsigned char>(a), static_cast<unsigned char>(b))] = {r.first, r.second};
        }
    return t;
}

constexpr std::array<BlockPlan, 256> MakePlans()
{
    std::array<BlockPlan, 256> plans{};
    for (unsigned mask = 0; mask < 256; ++mask) {
        BlockPlan &plan = plans[mask];
        unsigned in = 0, out = 0, k = 0;
        while (in < 8) {
            const bool lead = (mask >> in) & 1;
            if (lead && in == 7)
                break; // its trail byte belongs to the next block
            plan.inOff[k] = static_cast<unsigned char>(in);
            plan.outOff[k] = static_cast<unsigned char>(out);
            plan.pair[k] = lead;
            (lead ? plan.leads : plan.singles) |= static_cast<unsigned char>(1u << in);
            ++k;
            in += lead ? 2 : 1;
            out += lead ? 2 : 1;
        }
        plan.inLen = static_cast<unsigned char>(in);
        plan.outLen = static_cast<unsigned char>(out);
        for (; k < 8; ++k) {
            plan.inOff[k] = 0;
            plan.outOff[k] = static_cast<unsigned char>(out);
            plan.pair[k] = 0;
        }
    }
    return plans;
}

} // namespace

constinit const std::array<BlockPlan, 256> BlockPlans = MakePlans();

constinit const std::array<Pair, 65536> SjisToJisTable = MakeTable(ToJis);
constinit const std::array<Pair, 65536> SjisToEucTable = MakeTable([](unsigned char a, unsigned char b) {
    const BytePair j = ToJis(a, b);
    return BytePair{static_cast<unsigned char>(j.first | 0x80), static_cast<unsigned char>(j.second | 0x80)};
});
constinit const std::array<Pair, 65536> JisToSjisTable = MakeTable(ToSjis);
constinit const std::array<Pair, 65536> EucToSjisTable = MakeTable([](unsigned char a, unsigned char b) {
    return ToSjis(static_cast<unsigned char>(a & 0x7F), static_cast<unsigned char>(b & 0x7F));
});

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
