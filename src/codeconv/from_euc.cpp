// EUC-JP to JIS and to Shift_JIS. A lead byte cut off by the end of the text
// is copied as it stands.
#include "byte_lanes.h"
#include "code_steps.h"
#include "fast_tables.h"
#include "jconvert.h"
#include "pair_vectors.h"
#include "to_jis.h"

namespace Jconvert {

using namespace detail;

namespace {

unsigned char *EucToJisSteps(const unsigned char *&p, const unsigned char *stop, const unsigned char *end,
                             unsigned char *o, bool &kanji)
{
    return ToJisSteps(
        p, stop, end, o, kanji, [](const unsigned char *&p, const unsigned char *end, unsigned char *&o) {
            const unsigned char c = *p;
            if (p + 1 >= end) {
                *o++ = c;
                ++p;
            } else if (c == 0x8E && IsKanaByte(p[1])) {
                // The mark, if folded in, is the two bytes after the kana.
                p += 2 * KanaToJis(p[1], p + 2, end, true, o);
                o += 2;
            } else {
                // Any other pair, a stray 0x8E included, keeps its low bits.
                o = PutPair(o,
                            {static_cast<unsigned char>(c & 0x7F), static_cast<unsigned char>(p[1] & 0x7F)});
                p += 2;
            }
        });
}

// EUC-JP to Shift_JIS up to stop (or a byte past it, to finish a
// character) by runs of pairs, 8-byte plans and single characters.
void EucToSjisSteps(const unsigned char *&from, const unsigned char *stop, const unsigned char *end,
                    unsigned char *&to)
{
    // Copies in locals: through the references, any byte stored at o might be p
    // or o itself, and both would be reloaded after every store.
    const unsigned char *p = from;
    unsigned char *o = to;
    while (p < stop) {
        if (HavePairVectors && stop - p >= 16 && EightEucPairs(p)) {
            PairsToSjis(p, o);
            p += 16;
            o += 16;
            continue;
        }
        // A single byte at the block's end is read as a pair, hence the ninth byte.
        if (stop - p >= 8 && end - p > 8) {
            const std::uint64_t w = Load64(p);
            const unsigned high = HighBitMask(w);
            if (high == 0) {
                std::memcpy(o, p, 8);
                p += 8;
                o += 8;
                continue;
            }
            const BlockPlan &plan = BlockPlans[high];
            // Kana (0x8E) and the single bytes 0x80 and 0xFF take the slow path.
            const unsigned special =
                HighBitMask(BytesEqual(w, 0x8E) | BytesEqual(w, 0x80) | BytesEqual(w, 0xFF));
            if ((special & plan.leads) == 0) {
                RunPlan(plan, p, o, EucToSjisTable);
                p += plan.inLen;
                o += plan.outLen;
                continue;
            }
        }
        const unsigned char c = *p;
        if (c > 0x80 && c != 0xFF && p + 1 < end) {
            if (c == 0x8E)
                *o++ = p[1];
            else
                o = PutPair(o, EucToSjisTable[Load16(p)]);
            p += 2;
            continue;
        }
        *o++ = c;
        ++p;
    }
    from = p;
    to = o;
}

} // namespace

namespace detail {
const CodeSteps EucToJis = {EucToJisSteps, ToJisGrowth, ToJisEighths};
// Never longer than the input.
const CodeSteps EucToSjis = {ChunksThenSteps<EucChunkToSjis, EucToSjisSteps>, 1, 8};
} // namespace detail

std::string euc2jis83(std::string_view text)
{
    return WholeText(text, EucToJis);
}

std::string euc2sjis(std::string_view text)
{
    return WholeText(text, EucToSjis);
}

} // namespace Jconvert
