// Precomputed pair tables and output helpers shared by the converters. The
// tables hold exactly what ToJis/ToSjis compute; they only save the branches.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace Jconvert::detail {

using Pair = std::array<unsigned char, 2>;

// Pair tables indexed by the two bytes loaded as one native 16-bit value
// (Load16), so a block of text needs no byte shuffling to index them.
// Shift_JIS to the 7-bit JIS pair (ToJis).
extern const std::array<Pair, 65536> SjisToJisTable;
// Shift_JIS to EUC-JP: ToJis with the top bits set.
extern const std::array<Pair, 65536> SjisToEucTable;
// JIS pair to Shift_JIS (ToSjis).
extern const std::array<Pair, 65536> JisToSjisTable;
// EUC-JP pair to Shift_JIS: ToSjis of the pair with its top bits cleared.
extern const std::array<Pair, 65536> EucToSjisTable;

constexpr std::uint16_t PairIndex(unsigned char first, unsigned char second)
{
    return std::endian::native == std::endian::little ? static_cast<std::uint16_t>(first | (second << 8))
                                                      : static_cast<std::uint16_t>((first << 8) | second);
}

inline std::uint16_t Load16(const unsigned char *p)
{
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

inline unsigned char *PutPair(unsigned char *o, const Pair &pair)
{
    std::memcpy(o, pair.data(), 2);
    return o + 2;
}

inline const unsigned char *Bytes(std::string_view s)
{
    return reinterpret_cast<const unsigned char *>(s.data());
}

// True when none of the eight bytes of w has its top bit set.
inline bool AllAscii(std::uint64_t w)
{
    return (w & 0x8080808080808080ULL) == 0;
}

inline std::uint64_t Load64(const unsigned char *p)
{
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// True when none of the eight bytes at p has its top bit set.
inline bool EightAscii(const unsigned char *p)
{
    return AllAscii(Load64(p));
}

// Reserves room for a result. For a large one, asks the kernel to back it
// with huge pages: a fresh 64 MB result otherwise costs 16384 page faults,
// which take longer than the conversion itself.
inline void ReserveResult(std::string &out, std::size_t bytes)
{
    out.reserve(bytes);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t Huge = std::uintptr_t(2) << 20;
    if (bytes >= 4 * Huge) {
        const auto begin = reinterpret_cast<std::uintptr_t>(out.data());
        const std::uintptr_t first = (begin + Huge - 1) & ~(Huge - 1);
        const std::uintptr_t last = (begin + out.capacity()) & ~(Huge - 1);
        if (last > first)
            madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE); // only a hint
    }
#endif
}

// Runs `convert(p, stop, o)` over the text in pieces whose output fits a
// buffer that stays in the processor's cache, and appends each piece to the
// result: the result's memory is written once, where filling a large string
// with zeros first and converting into it would write it twice. `growth`
// bounds the output bytes per input byte; `convert` moves p to stop or a
// little past it (to finish a character) and returns the end of its output.
template <typename Convert>
std::string InPieces(std::string_view text, std::size_t growth, std::size_t estimate, Convert convert)
{
    constexpr std::size_t Room = std::size_t(1) << 16;
    constexpr std::size_t Slack = 64; // for the last character and the block steps' write-ahead
    const std::unique_ptr<unsigned char[]> buf(new unsigned char[Room + Slack]);
    std::string out;
    ReserveResult(out, estimate);
    const unsigned char *p = Bytes(text);
    const unsigned char *const end = p + text.size();
    while (p < end) {
        const unsigned char *const stop = p + std::min<std::size_t>(Room / growth, end - p);
        const unsigned char *const o = convert(p, stop, buf.get());
        out.append(reinterpret_cast<const char *>(buf.get()), static_cast<std::size_t>(o - buf.get()));
    }
    return out;
}

inline constexpr unsigned char ESC = 0x1B;

inline unsigned char *PutEnterKanji(unsigned char *o)
{
    o[0] = ESC;
    o[1] = '$';
    o[2] = 'B';
    return o + 3;
}

inline unsigned char *PutLeaveKanji(unsigned char *o)
{
    o[0] = ESC;
    o[1] = '(';
    o[2] = 'B'; // ASCII: after ESC ( J readers take '~' and '\\' for overline and yen
    return o + 3;
}

// Half-width katakana at p[0] (and a following voiced/semi-voiced mark) as a
// JIS X 0208 pair; returns how many input characters were used (1 or 2).
// `markAt` is where the mark would start (in the EUC form behind its 0x8E),
// `end` the input's end.
int KanaToJis(unsigned char kana, const unsigned char *markAt, const unsigned char *end, bool eucForm,
              unsigned char *out);

// Block conversion of eight input bytes that hold only ASCII bytes and
// two-byte characters (the common case in Japanese text), without a branch
// per character: `leads` has bit i set when byte i starts a two-byte
// character. A plan, one per lead mask, says where each character of the
// block sits in the input and in the output.
struct BlockPlan
{
    unsigned char inLen;  // bytes consumed: 7 when byte 7 is a lead whose trail is beyond
    unsigned char outLen; // bytes produced
    unsigned char inOff[8];
    unsigned char outOff[8];
    unsigned char pair[8]; // 1: two-byte character, 0: single byte or unused slot
    unsigned char leads;   // positions that start a two-byte character
    unsigned char singles; // positions that are single-byte characters
};
extern const std::array<BlockPlan, 256> BlockPlans;

// The high bit of each byte of w, gathered into the low eight bits.
inline unsigned HighBitMask(std::uint64_t w)
{
    std::uint64_t hi = (w >> 7) & 0x0101010101010101ULL;
    if constexpr (std::endian::native == std::endian::big)
        hi = __builtin_bswap64(hi);
    return static_cast<unsigned>((hi * 0x0102040810204080ULL) >> 56);
}

// Bytes of w in 0xA1-0xDF (half-width katakana in Shift_JIS), as their high bits.
inline std::uint64_t KanaBytes(std::uint64_t w)
{
    const std::uint64_t low = w & 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t atLeast21 = low + 0x5F5F5F5F5F5F5F5FULL;
    const std::uint64_t atLeast60 = low + 0x2020202020202020ULL;
    return w & atLeast21 & ~atLeast60 & 0x8080808080808080ULL;
}

// Bytes of w below n (1 to 0x80), as their high bits; exact where no byte of w
// has its high bit set.
inline std::uint64_t BytesBelow(std::uint64_t w, unsigned n)
{
    return (w - 0x0101010101010101ULL * n) & ~w & 0x8080808080808080ULL;
}

// Bytes of w equal to b, as their high bits.
inline std::uint64_t BytesEqual(std::uint64_t w, unsigned char b)
{
    return BytesBelow(w ^ (0x0101010101010101ULL * b), 1);
}

// Runs one plan over the block at p. The output needs 16 bytes of room:
// unused slots and single bytes write a little past the block's output,
// which the next block overwrites.
inline void RunPlan(const BlockPlan &plan, const unsigned char *p, unsigned char *o,
                    const std::array<Pair, 65536> &table)
{
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        const unsigned char *src = p + plan.inOff[k];
        // Select without a branch: the mix of pairs and single bytes is
        // what a branch predictor cannot learn in running text.
        const std::uint16_t converted = Load16(table[Load16(src)].data());
        const std::uint16_t single = PairIndex(src[0], 0);
        const std::uint16_t isPair = static_cast<std::uint16_t>(0u - plan.pair[k]);
        const std::uint16_t v = static_cast<std::uint16_t>((converted & isPair) | (single & ~isPair));
        std::memcpy(o + plan.outOff[k], &v, 2);
    }
}

} // namespace Jconvert::detail
