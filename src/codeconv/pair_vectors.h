// Eight two-byte characters at once: the pair arithmetic of ToJis/ToSjis
// on 16-bit lanes (one character per lane, lead byte low), for blocks of 16
// bytes that hold nothing but two-byte characters. Plain C++ where the
// compiler has no vector extensions or the machine is big-endian.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace Jconvert::detail {

#if defined(__GNUC__) && !defined(QUMO_NO_VECTORS)
inline constexpr bool HavePairVectors = std::endian::native == std::endian::little;
typedef std::uint16_t Lanes __attribute__((vector_size(16)));

inline Lanes LoadLanes(const unsigned char *p)
{
    Lanes v;
    std::memcpy(&v, p, 16);
    return v;
}

inline void StoreLanes(unsigned char *o, Lanes v)
{
    std::memcpy(o, &v, 16);
}

// a where the mask lane is all ones, else b.
inline Lanes Select(Lanes mask, Lanes a, Lanes b)
{
    return (a & mask) | (b & ~mask);
}

inline bool AllLanes(Lanes mask)
{
    std::uint64_t half[2];
    std::memcpy(half, &mask, 16);
    return (half[0] & half[1]) == ~std::uint64_t(0);
}

// Sixteen bytes of EUC-JP, all in 0xA1-0xFE: eight JIS X 0208 characters.
inline bool EightEucPairs(const unsigned char *p)
{
    const Lanes v = LoadLanes(p);
    const Lanes lo = v & 0xFF, hi = v >> 8;
    return AllLanes((Lanes)(lo >= 0xA1) & (Lanes)(lo <= 0xFE) & (Lanes)(hi >= 0xA1) & (Lanes)(hi <= 0xFE));
}

// Sixteen bytes of JIS in two-byte mode, all in 0x21-0x7E: eight characters.
inline bool EightJisPairs(const unsigned char *p)
{
    const Lanes v = LoadLanes(p);
    const Lanes lo = v & 0xFF, hi = v >> 8;
    return AllLanes((Lanes)(lo >= 0x21) & (Lanes)(lo <= 0x7E) & (Lanes)(hi >= 0x21) & (Lanes)(hi <= 0x7E));
}

// ToSjis of each pair with its top bits cleared (EUC-JP and JIS alike).
inline void PairsToSjis(const unsigned char *p, unsigned char *o)
{
    const Lanes v = LoadLanes(p);
    const Lanes j1 = v & 0x7F, j2 = (v >> 8) & 0x7F;
    const Lanes s1 = ((j1 + 1) >> 1) + Select((Lanes)(j1 < 0x5F), Lanes{} + 0x70, Lanes{} + 0xB0);
    const Lanes oddAdd = Select((Lanes)(j2 <= 0x5F), Lanes{} + 0x1F, Lanes{} + 0x20);
    const Lanes s2 = j2 + Select((Lanes)((j1 & 1) != 0), oddAdd, Lanes{} + 0x7E);
    StoreLanes(o, (s1 & 0xFF) | ((s2 & 0xFF) << 8));
}

// Sixteen bytes of Shift_JIS that are eight two-byte characters of JIS X
// 0208: lead bytes 0x81-0x9F or 0xE0-0xEF, each with a trail byte.
inline bool EightSjisPairs(const unsigned char *p)
{
    const Lanes v = LoadLanes(p);
    const Lanes lead = v & 0xFF, trail = v >> 8;
    const Lanes leads =
        ((Lanes)(lead >= 0x81) & (Lanes)(lead <= 0x9F)) | ((Lanes)(lead >= 0xE0) & (Lanes)(lead <= 0xEF));
    return AllLanes(leads & (Lanes)(trail >= 0x40) & (Lanes)(trail <= 0xFC) & (Lanes)(trail != 0x7F));
}

// ToJis of each pair with the top bits set.
inline void SjisPairsToEuc(const unsigned char *p, unsigned char *o)
{
    const Lanes v = LoadLanes(p);
    const Lanes s1 = v & 0xFF, s2 = v >> 8;
    const Lanes low = (Lanes)(s2 < 0x9F);
    const Lanes j1 = ((s1 - Select((Lanes)(s1 < 0xA0), Lanes{} + 0x70, Lanes{} + 0xB0)) * 2 + low) & 0xFF;
    const Lanes j2 = (s2 - Select((Lanes)(s2 >= 0x9F), Lanes{} + 0x7E,
                                  Select((Lanes)(s2 <= 0x7F), Lanes{} + 0x1F, Lanes{} + 0x20))) &
                     0xFF;
    StoreLanes(o, (j1 | 0x80) | ((j2 | 0x80) << 8));
}
#else
inline constexpr bool HavePairVectors = false;
inline bool EightEucPairs(const unsigned char *)
{
    return false;
}
inline bool EightJisPairs(const unsigned char *)
{
    return false;
}
inline void PairsToSjis(const unsigned char *, unsigned char *) {}
inline bool EightSjisPairs(const unsigned char *)
{
    return false;
}
inline void SjisPairsToEuc(const unsigned char *, unsigned char *) {}
#endif

} // namespace Jconvert::detail
