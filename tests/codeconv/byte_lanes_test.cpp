// The 64-byte steps between Shift_JIS and EUC-JP: where characters start,
// and long texts of pairs with arbitrary bytes, ASCII and the rare bytes
// that end a step, against byte-at-a-time conversion.
#include "byte_lanes.h"
#include "jconvert.h"
#include "reference_converters.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace Jconvert;

namespace {

std::uint64_t LeadsByScan(std::uint64_t candidates)
{
    std::uint64_t leads = 0;
    for (int i = 0; i < 64; ++i)
        if ((candidates >> i) & 1) {
            leads |= std::uint64_t(1) << i;
            ++i; // its trail
        }
    return leads;
}

// Mostly two-byte characters with any trail byte, lead bytes of either code
// (the odd ones too) and ASCII words; one in `rareEvery` tokens is a byte
// that stops a step: a half-width katakana, an EUC kana or a lone 0x8E.
std::string PairText(std::mt19937 &rng, std::size_t len, unsigned rareEvery)
{
    static const unsigned char oddLeads[] = {0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x8E};
    std::string s;
    while (s.size() < len) {
        const unsigned r = rng() % 100;
        if (rareEvery != 0 && rng() % rareEvery == 0) {
            switch (rng() % 3) {
            case 0:
                s += char(0xA1 + rng() % 0x3F);
                break;
            case 1:
                s += '\x8E';
                s += char(0xA1 + rng() % 0x3F);
                break;
            default:
                s += '\x8E';
            }
        } else if (r < 40) { // Shift_JIS lead
            s += char(rng() % 2 ? 0x81 + rng() % 0x1F : 0xE0 + rng() % 0x1D);
            s += char(rng() & 0xFF);
        } else if (r < 65) { // EUC-JP lead
            s += char(0xA1 + rng() % 0x5E);
            s += char(rng() & 0xFF);
        } else if (r < 70) {
            s += char(oddLeads[rng() % 6]);
            s += char(rng() & 0xFF);
        } else {
            const unsigned word = 1 + rng() % 9;
            for (unsigned i = 0; i < word; ++i)
                s += char(rng() % 0x80);
        }
    }
    s.resize(len);
    return s;
}

void ExpectSameAsByteAtATime(const std::string &text)
{
    // An exact-size copy, so the sanitizer build sees any read past the end.
    const auto buf = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), buf.get());
    const std::string_view t(buf.get(), text.size());
    ASSERT_EQ(sjis2euc(t), reference::SjisToEuc(t));
    ASSERT_EQ(euc2sjis(t), reference::EucToSjis(t));
}

} // namespace

TEST(ByteLanes, LeadsAreEveryOtherByteOfEachRun)
{
    for (std::uint64_t m = 0; m < 0x10000; ++m)
        for (int shift : {0, 15, 24, 48})
            ASSERT_EQ(detail::LeadsOf(m << shift), LeadsByScan(m << shift)) << m << ' ' << shift;
    std::mt19937_64 rng(99);
    for (int rep = 0; rep < 100000; ++rep) {
        const std::uint64_t m = rng() | (rng() & rng());
        ASSERT_EQ(detail::LeadsOf(m), LeadsByScan(m)) << m;
    }
    EXPECT_EQ(detail::LeadsOf(~std::uint64_t(0)), 0x5555555555555555ULL);
}

TEST(ByteLanes, StepsEndAtTheLastWholeCharacterOrTheFirstThatChangesLength)
{
    EXPECT_EQ(detail::ChunkDone(0, 0), 64u);
    EXPECT_EQ(detail::ChunkDone(std::uint64_t(1) << 63, 0), 63u);
    EXPECT_EQ(detail::ChunkDone(std::uint64_t(1) << 62, 0), 64u);
    EXPECT_EQ(detail::ChunkDone(0, (std::uint64_t(1) << 5) | (std::uint64_t(1) << 40)), 5u);
    EXPECT_EQ(detail::ChunkDone(std::uint64_t(1) << 63, std::uint64_t(1) << 63), 63u);
    EXPECT_EQ(detail::ChunkDone(0, 1), 0u);
}

TEST(ByteLanes, PairTextsAgreeWithByteAtATimeConversion)
{
    std::mt19937 rng(2026);
    for (int rep = 0; rep < 400; ++rep) {
        const std::size_t len = rng() % 2000;
        ExpectSameAsByteAtATime(PairText(rng, len, 0));
        ExpectSameAsByteAtATime(PairText(rng, len, 40));
        ExpectSameAsByteAtATime(PairText(rng, len, 3));
    }
}

TEST(ByteLanes, LongTextsAcrossPieceBoundaries)
{
    std::mt19937 rng(7);
    for (unsigned rareEvery : {0u, 200u, 5u}) {
        const std::string text = PairText(rng, 150001, rareEvery);
        ExpectSameAsByteAtATime(text);
        // Every start offset within a step.
        for (std::size_t skip = 1; skip < 64; skip += 7)
            ExpectSameAsByteAtATime(text.substr(skip, 5000));
    }
}
