// Where one character of each source code ends, and what the converters put
// in place of one they cannot convert: the geta mark 〓. A broken character
// takes only its own bytes, so the byte that broke it (a line end, the next
// letter) is converted by itself and never lost.
#pragma once

#include "code_steps.h"
#include "fast_tables.h"
#include "jconvert.h"

namespace Jconvert::detail {

inline constexpr Pair GetaSjis = {0x81, 0xAC};
inline constexpr Pair GetaJis = {0x22, 0x2E};
inline constexpr Pair GetaEuc = {0xA2, 0xAE};

inline bool IsKanaByte(unsigned char c)
{
    return c >= 0xA1 && c <= 0xDF;
}

inline bool IsSjisLead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

inline bool IsSjisTrail(unsigned char c)
{
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

// A lead byte whose characters JIS X 0208 holds; beyond 0xEF lie the user-defined characters and the IBM
// extensions, which ToJis would put outside the 94 rows.
inline bool IsJisSjisLead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF);
}

inline bool IsEucByte(unsigned char c)
{
    return c >= 0xA1 && c <= 0xFE;
}

inline bool IsJisByte(unsigned char c)
{
    return c >= 0x21 && c <= 0x7E;
}

// The character at p, a byte of 0x80 or above: the bytes a converter takes
// for it and what keeps it from being converted (None when nothing does).
struct CharAt
{
    unsigned length;
    DecodeError fault;
};

// A half-width katakana, or a lead byte and its trail.
inline CharAt SjisCharAt(const unsigned char *p, const unsigned char *end)
{
    const unsigned char c = *p;
    if (IsKanaByte(c))
        return {1, DecodeError::None};
    if (!IsSjisLead(c))
        return {1, DecodeError::BadCharacter};
    if (end - p < 2)
        return {1, DecodeError::CutShort};
    if (!IsSjisTrail(p[1]))
        return {1, DecodeError::BadCharacter};
    return {2, IsJisSjisLead(c) ? DecodeError::None : DecodeError::Unmappable};
}

// 0x8E and a katakana, a JIS X 0208 pair, or 0x8F and a JIS X 0212 pair,
// which neither Shift_JIS nor ISO-2022-JP holds. A sequence broken or cut
// off after its first bytes is one character.
inline CharAt EucCharAt(const unsigned char *p, const unsigned char *end)
{
    const unsigned char c = *p;
    unsigned need;
    if (c == 0x8E) {
        if (end - p < 2)
            return {1, DecodeError::CutShort};
        return IsKanaByte(p[1]) ? CharAt{2, DecodeError::None} : CharAt{1, DecodeError::BadCharacter};
    }
    if (c == 0x8F)
        need = 3;
    else if (IsEucByte(c))
        need = 2;
    else
        return {1, DecodeError::BadCharacter};
    for (unsigned k = 1; k < need; ++k) {
        if (end - p <= static_cast<std::ptrdiff_t>(k))
            return {k, DecodeError::CutShort};
        if (!IsEucByte(p[k]))
            return {k, DecodeError::BadCharacter};
    }
    return {need, need == 3 ? DecodeError::Unmappable : DecodeError::None};
}

// For the block steps: of the eight bytes of w, those that may not be taken as
// a lead with the byte after it as its trail, as a mask like BlockPlan::leads
// (a few more may be set, never fewer).
inline unsigned SjisUnpairable(std::uint64_t w)
{
    constexpr std::uint64_t High = 0x8080808080808080ULL;
    const std::uint64_t top4 = w & (w << 1) & (w << 2) & (w << 3); // each byte's top bits shifted onto bit 7
    const std::uint64_t top6 = top4 & (w << 4) & (w << 5);
    const std::uint64_t badLead = BytesEqual(w, 0x80) | BytesEqual(w, 0xA0) | (top4 & High);
    const std::uint64_t below40 = ~(w | (w << 1)) & High;
    const std::uint64_t aboveFC = top6 & ((w << 6) | (w << 7)) & High;
    const std::uint64_t badTrail = below40 | BytesEqual(w, 0x7F) | aboveFC;
    return HighBitMask(badLead) | (HighBitMask(badTrail) >> 1);
}

inline unsigned EucUnpairable(std::uint64_t w)
{
    constexpr std::uint64_t High = 0x8080808080808080ULL;
    // 0x80-0xA0 and 0xFF: neither a lead nor a trail byte (0x8E and 0x8F lead what is no pair).
    const std::uint64_t stray = (w & BytesBelow(w & ~High, 0x21)) | BytesEqual(w, 0xFF);
    return HighBitMask(stray) | (HighBitMask(stray | (~w & High)) >> 1);
}

// Puts the geta mark in place of the character at p, which `ch` says cannot be converted, and moves past it.
inline unsigned char *PutGeta(StepState &state, const unsigned char *&p, CharAt ch, const Pair &geta,
                              unsigned char *o)
{
    state.Replaced(p, ch.fault);
    p += ch.length;
    return PutPair(o, geta);
}

} // namespace Jconvert::detail
