// JIS (ISO-2022-JP) to Shift_JIS and to EUC-JP. Any ESC $ x enters two-byte
// mode and any ESC ( x leaves it. An escape that follows another escape
// directly is honoured too (valid ISO-2022-JP may chain them). Half a pair, a
// byte with its top bit set and an escape cut off by the end of the text
// become the geta mark.
#include "code_chars.h"
#include "code_steps.h"
#include "fast_tables.h"
#include "jconvert.h"
#include "pair_vectors.h"

#include <bit>

namespace Jconvert {

using namespace detail;

namespace {

// How many of the eight bytes at p come before the first one that stops a
// run: in two-byte mode anything outside 0x21-0x7E, in ASCII mode ESC or a
// byte with its top bit set.
unsigned RunLength(const unsigned char *p, bool kanji)
{
    const std::uint64_t w = Load64(p);
    const std::uint64_t high = w & 0x8080808080808080ULL;
    std::uint64_t stops;
    if (kanji) {
        const std::uint64_t low = w & 0x7F7F7F7F7F7F7F7FULL;
        const std::uint64_t below21 = ~(low + 0x5F5F5F5F5F5F5F5FULL) & 0x8080808080808080ULL;
        stops = high | below21 | BytesEqual(low, 0x7F);
    } else {
        stops = high | BytesEqual(w, ESC);
    }
    return static_cast<unsigned>(std::countr_zero(HighBitMask(stops) | 0x100u));
}

enum class Target { Sjis, Euc };

template <Target T>
unsigned char *FromJisSteps(const unsigned char *&p, const unsigned char *stop, const unsigned char *end,
                            unsigned char *o, StepState &state)
{
    constexpr Pair Geta = T == Target::Sjis ? GetaSjis : GetaEuc;
    bool &kanji = state.kanji;
    while (p < stop) {
        if (stop - p >= 8) {
            // Whole runs of pairs or of ASCII, eight bytes at a time.
            const unsigned run = RunLength(p, kanji);
            if (!kanji && run > 0) {
                std::memcpy(o, p, 8);
                p += run;
                o += run;
                continue;
            }
            if constexpr (T == Target::Euc) {
                if (kanji && run >= 2) {
                    // Eight bytes are written; only the whole pairs before the stop count.
                    const std::uint64_t w = Load64(p) | 0x8080808080808080ULL;
                    std::memcpy(o, &w, 8);
                    p += run & ~1u;
                    o += run & ~1u;
                    continue;
                }
            } else {
                if (HavePairVectors && kanji && run == 8 && stop - p >= 16 && EightJisPairs(p)) {
                    PairsToSjis(p, o);
                    p += 16;
                    o += 16;
                    continue;
                }
                if (kanji && run >= 2) {
                    // Four pairs are written; only the whole ones before the stop count.
                    PutPair(
                        PutPair(PutPair(PutPair(o, JisToSjisTable[Load16(p)]), JisToSjisTable[Load16(p + 2)]),
                                JisToSjisTable[Load16(p + 4)]),
                        JisToSjisTable[Load16(p + 6)]);
                    p += run & ~1u;
                    o += run & ~1u;
                    continue;
                }
            }
        }
        const unsigned char c = *p;
        if (kanji && IsJisByte(c)) {
            if (end - p < 2 || !IsJisByte(p[1])) {
                o = PutGeta(state, p, {1, end - p < 2 ? DecodeError::CutShort : DecodeError::BadCharacter},
                            Geta, o);
            } else {
                if constexpr (T == Target::Euc)
                    o = PutPair(
                        o, {static_cast<unsigned char>(c | 0x80), static_cast<unsigned char>(p[1] | 0x80)});
                else
                    o = PutPair(o, JisToSjisTable[Load16(p)]);
                p += 2;
            }
            continue;
        }
        if (c >= 0x80) {
            o = PutGeta(state, p, {1, DecodeError::BadCharacter}, Geta, o);
            continue;
        }
        if (c == ESC) {
            if (end - p < 3) {
                o = PutGeta(state, p, {static_cast<unsigned>(end - p), DecodeError::CutShort}, Geta, o);
                break;
            }
            if (p[1] == '$')
                kanji = true;
            else if (p[1] == '(')
                kanji = false;
            p += 3;
            continue;
        }
        *o++ = c;
        ++p;
    }
    return o;
}

} // namespace

namespace detail {
// Escapes are dropped and pairs stay pairs; only a geta mark for a single byte grows.
const CodeSteps JisToSjis = {FromJisSteps<Target::Sjis>, 2, 8, false};
const CodeSteps JisToEuc = {FromJisSteps<Target::Euc>, 2, 8, false};
} // namespace detail

std::string jis2sjis(std::string_view text)
{
    return WholeText(text, JisToSjis);
}

std::string jis2euc(std::string_view text)
{
    return WholeText(text, JisToEuc);
}

} // namespace Jconvert
