// Sixty-four bytes of mixed text at a time (ASCII, two-byte characters and
// their edges in any order) on 16-byte SSE2 vectors of byte lanes. Between
// Shift_JIS and EUC-JP a two-byte character keeps its place, so every byte's
// result depends only on itself, its neighbour and whether it is a lead, a
// trail or a single byte; which it is comes from a bit mask of the possible
// lead bytes. Elsewhere (no SSE2) the block plans do all the work.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "code_steps.h"
#include "pair_vectors.h"

#if defined(__SSE2__) && !defined(QUMO_NO_VECTORS)
#include <emmintrin.h>
#endif

namespace Jconvert::detail {

// The bytes that start a two-byte character, given the possible lead bytes
// (bit i for byte i) and that byte 0 starts a character: in each run of
// possible leads the first, third, fifth... byte, since the byte after a lead
// is its trail whatever it holds.
constexpr std::uint64_t LeadsOf(std::uint64_t candidates)
{
    constexpr std::uint64_t Even = 0x5555555555555555ULL;
    const std::uint64_t starts = candidates & ~(candidates << 1);
    // Adding a run's first bit clears the whole run: these are the runs that begin at an even byte.
    const std::uint64_t evenRuns = candidates & ~(candidates + (starts & Even));
    return (evenRuns & Even) | (candidates & ~evenRuns & ~Even);
}

// How many of the 64 bytes a chunk step may count as done: not a lead in the
// last byte, whose trail is in the next chunk, and nothing from the first
// character in `stops` (one the steps cannot convert in place) on.
inline unsigned ChunkDone(std::uint64_t leads, std::uint64_t stops)
{
    const unsigned whole = 64 - static_cast<unsigned>(leads >> 63);
    return stops == 0 ? whole : std::min(whole, static_cast<unsigned>(std::countr_zero(stops)));
}

#if defined(__SSE2__) && !defined(QUMO_NO_VECTORS)
inline constexpr bool HaveByteLanes = true;

inline __m128i Load128(const unsigned char *p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
}

inline __m128i Bytes128(unsigned char b)
{
    return _mm_set1_epi8(static_cast<char>(b));
}

// a where the lane of mask is all ones, else b.
inline __m128i Pick(__m128i mask, __m128i a, __m128i b)
{
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// The lanes of the 16 bits of `bits` as all-ones or zero bytes.
inline __m128i LaneMask(unsigned bits)
{
    __m128i v = _mm_cvtsi32_si128(static_cast<int>(bits));
    v = _mm_unpacklo_epi8(v, v);
    v = _mm_unpacklo_epi16(v, v);
    v = _mm_shuffle_epi32(v, 0x50);
    const __m128i bit = _mm_set1_epi64x(static_cast<long long>(0x8040201008040201ULL));
    return _mm_cmpeq_epi8(_mm_and_si128(v, bit), bit);
}

inline std::uint64_t Bits(__m128i mask, int k)
{
    return std::uint64_t(static_cast<unsigned>(_mm_movemask_epi8(mask))) << (16 * k);
}

// Lanes below b, comparing as unsigned bytes.
inline __m128i Below(__m128i v, unsigned char b)
{
    const __m128i flip = Bytes128(0x80);
    return _mm_cmplt_epi8(_mm_xor_si128(v, flip), _mm_xor_si128(Bytes128(b), flip));
}

// Lanes above b, comparing as unsigned bytes.
inline __m128i Above(__m128i v, unsigned char b)
{
    const __m128i flip = Bytes128(0x80);
    return _mm_cmpgt_epi8(_mm_xor_si128(v, flip), _mm_xor_si128(Bytes128(b), flip));
}

inline __m128i Equal(__m128i v, unsigned char b)
{
    return _mm_cmpeq_epi8(v, Bytes128(b));
}

// Every lane a lead of a two-byte character: 32 pairs in their places.
inline constexpr std::uint64_t AllPairs = 0x5555555555555555ULL;

// Stores the 16 bytes of vector k of a chunk at o + 16k: the lanes of leads
// from `lead`, those of their trails from `trail`, the others from `single`.
inline void StorePicked(unsigned char *o, int k, std::uint64_t leads, __m128i lead, __m128i trail,
                        __m128i single)
{
    const unsigned leadBits = static_cast<unsigned>(leads >> (16 * k)) & 0xFFFF;
    const unsigned pairBits = static_cast<unsigned>((leads | (leads << 1)) >> (16 * k)) & 0xFFFF;
    const __m128i pair = Pick(LaneMask(leadBits), lead, trail);
    _mm_storeu_si128(reinterpret_cast<__m128i *>(o + 16 * k), Pick(LaneMask(pairBits), pair, single));
}

// Converts the Shift_JIS bytes p[0..63] (reading p[64] as a possible trail)
// to EUC-JP at o, writing 64 bytes. Returns how many of them are done, each
// input byte giving one output byte; it stops before a half-width katakana,
// which grows to two, and before what needs a geta mark.
inline unsigned SjisChunkToEuc(const unsigned char *p, unsigned char *o)
{
    __m128i v[4];
    std::uint64_t high = 0, kana = 0, badLead = 0, badTrail = 0;
    for (int k = 0; k < 4; ++k) {
        v[k] = Load128(p + 16 * k);
        high |= Bits(v[k], k);
        // 0xA1-0xDF moved to the bottom of the signed range.
        kana |= Bits(_mm_cmplt_epi8(_mm_sub_epi8(v[k], Bytes128(0x21)), Bytes128(0xBF)), k);
        // Leads JIS X 0208 does not reach: 0x80, 0xA0 and 0xF0 on.
        badLead |=
            Bits(_mm_or_si128(_mm_or_si128(Equal(v[k], 0x80), Equal(v[k], 0xA0)), Above(v[k], 0xEF)), k);
        badTrail |=
            Bits(_mm_or_si128(_mm_or_si128(Below(v[k], 0x40), Equal(v[k], 0x7F)), Above(v[k], 0xFC)), k);
    }
    const std::uint64_t leads = LeadsOf(high & ~kana);
    const std::uint64_t stops = (kana & ~(leads << 1)) | (leads & (badLead | (badTrail >> 1)));
    if (leads == AllPairs && stops == 0) {
        for (int k = 0; k < 4; ++k)
            SjisPairsToEuc(p + 16 * k, o + 16 * k);
        return 64;
    }
    for (int k = 0; k < 4; ++k) {
        const __m128i s = v[k];
        // Lead: (s1 - (s1 < 0xA0 ? 0x70 : 0xB0)) * 2, less one when the trail is below 0x9F. Leads
        // are 0x80 or above, so a signed compare does for s1 < 0xA0.
        const __m128i lowLead = _mm_cmplt_epi8(s, Bytes128(0xA0));
        __m128i j1 = _mm_add_epi8(_mm_sub_epi8(s, Bytes128(0xB0)), _mm_and_si128(lowLead, Bytes128(0x40)));
        j1 = _mm_add_epi8(_mm_add_epi8(j1, j1), Below(Load128(p + 16 * k + 1), 0x9F));
        // Trail: s2 less 0x7E from 0x9F on, else 0x1F below 0x80 and 0x20 from there.
        const __m128i ascii = _mm_cmpgt_epi8(s, Bytes128(0xFF));
        const __m128i sub = Pick(Below(s, 0x9F), _mm_add_epi8(Bytes128(0x20), ascii), Bytes128(0x7E));
        const __m128i j2 = _mm_sub_epi8(s, sub);
        const __m128i top = Bytes128(0x80);
        StorePicked(o, k, leads, _mm_or_si128(j1, top), _mm_or_si128(j2, top), s);
    }
    return ChunkDone(leads, stops);
}

// Converts the EUC-JP bytes p[0..63] (reading p[64] as a possible trail) to
// Shift_JIS at o, writing 64 bytes. Returns how many of them are done; it
// stops before a kana (0x8E and its byte), which shrinks to one, and before
// what needs a geta mark.
inline unsigned EucChunkToSjis(const unsigned char *p, unsigned char *o)
{
    __m128i v[4];
    std::uint64_t candidates = 0, stray = 0, notEuc = 0;
    for (int k = 0; k < 4; ++k) {
        v[k] = Load128(p + 16 * k);
        // 0x81-0xFE moved to the bottom of the signed range.
        candidates |= Bits(_mm_cmplt_epi8(_mm_sub_epi8(v[k], Bytes128(1)), Bytes128(0xFE)), k);
        // 0x80-0xA0 and 0xFF: no pair begins or ends with them (0x8E and 0x8F lead what is no pair).
        const __m128i s =
            _mm_or_si128(_mm_andnot_si128(Below(v[k], 0x80), Below(v[k], 0xA1)), Equal(v[k], 0xFF));
        stray |= Bits(s, k);
        notEuc |= Bits(_mm_or_si128(s, _mm_cmpgt_epi8(v[k], Bytes128(0xFF))), k);
    }
    const std::uint64_t leads = LeadsOf(candidates);
    const std::uint64_t stops = (stray & ~(leads << 1)) | (leads & (notEuc >> 1));
    if (leads == AllPairs && stops == 0) {
        for (int k = 0; k < 4; ++k)
            PairsToSjis(p + 16 * k, o + 16 * k);
        return 64;
    }
    for (int k = 0; k < 4; ++k) {
        const __m128i e = v[k];
        const __m128i j = _mm_and_si128(e, Bytes128(0x7F));
        // Lead: (j1 + 1) / 2 plus 0x70 below 0x5F, else 0xB0.
        const __m128i lowRow = _mm_cmplt_epi8(j, Bytes128(0x5F));
        const __m128i s1 = _mm_sub_epi8(_mm_add_epi8(_mm_avg_epu8(j, _mm_setzero_si128()), Bytes128(0xB0)),
                                        _mm_and_si128(lowRow, Bytes128(0x40)));
        // Trail: j2 plus 0x7E after an even j1, else 0x1F up to 0x5F and 0x20 above. The byte
        // before lane 0 of the first vector is never a lead.
        const __m128i prev = k == 0 ? _mm_slli_si128(e, 1) : Load128(p + 16 * k - 1);
        const __m128i oddRow = _mm_slli_epi16(prev, 7);
        const __m128i oddAdd = _mm_add_epi8(Bytes128(0x20), _mm_cmplt_epi8(j, Bytes128(0x60)));
        const __m128i s2 =
            _mm_add_epi8(j, Pick(_mm_cmplt_epi8(oddRow, _mm_setzero_si128()), oddAdd, Bytes128(0x7E)));
        StorePicked(o, k, leads, s1, s2, e);
    }
    return ChunkDone(leads, stops);
}
#else
inline constexpr bool HaveByteLanes = false;
inline unsigned SjisChunkToEuc(const unsigned char *, unsigned char *)
{
    return 0;
}
inline unsigned EucChunkToSjis(const unsigned char *, unsigned char *)
{
    return 0;
}
#endif

// Converts p up to stop (or a byte past it) at o with `Chunk` while its 65th
// byte is in the text, and `Steps` (the character and block steps) for the
// rest; a CodeStep, with no shift state to keep. When a chunk stops at a character that changes length, the
// steps take that character alone if the chunk got some way, else it and the next few hundred bytes: text
// full of such characters would gain nothing from coming back to the chunk step at every one. Returns the end
// of the output.
template <auto Chunk, auto Steps>
unsigned char *ChunksThenSteps(const unsigned char *&p, const unsigned char *stop, const unsigned char *end,
                               unsigned char *o, StepState &state)
{
    while (HaveByteLanes && stop - p >= 64 && end - p > 64) {
        const unsigned done = Chunk(p, o);
        p += done;
        o += done;
        if (done < 63)
            Steps(p, p + std::min<std::ptrdiff_t>(done >= 8 ? 1 : 256, stop - p), end, o, state);
    }
    Steps(p, stop, end, o, state);
    return o;
}

} // namespace Jconvert::detail
