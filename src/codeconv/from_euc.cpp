// EUC-JP to JIS and to Shift_JIS. A JIS X 0212 character (0x8F and two
// bytes), which neither holds, and a broken or cut-off sequence become the
// geta mark.
#include "byte_lanes.h"
#include "code_chars.h"
#include "code_steps.h"
#include "fast_tables.h"
#include "jconvert.h"
#include "pair_vectors.h"
#include "to_jis.h"

namespace Jconvert {

using namespace detail;

namespace {

unsigned char *EucToJisSteps(const unsigned char *&p, const unsigned char *stop, const unsigned char *end,
                             unsigned char *o, StepState &state)
{
    return ToJisSteps(p, stop, end, o, state,
                      [&state](const unsigned char *&p, const unsigned char *end, unsigned char *&o) {
                          const CharAt ch = EucCharAt(p, end);
                          if (ch.fault != DecodeError::None) {
                              o = PutGeta(state, p, ch, GetaJis, o);
                          } else if (*p == 0x8E) {
                              // The mark, if folded in, is the two bytes after the kana.
                              p += 2 * KanaToJis(p[1], p + 2, end, true, o);
                              o += 2;
                          } else {
                              o = PutPair(o, {static_cast<unsigned char>(p[0] & 0x7F),
                                              static_cast<unsigned char>(p[1] & 0x7F)});
                              p += 2;
                          }
                      });
}

// EUC-JP to Shift_JIS up to stop (or a byte past it, to finish a
// character) by runs of pairs, 8-byte plans and single characters.
void EucToSjisSteps(const unsigned char *&from, const unsigned char *stop, const unsigned char *end,
                    unsigned char *&to, StepState &state)
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
            // Kana (0x8E), JIS X 0212 (0x8F) and what is no pair take the slow path.
            if ((EucUnpairable(w) & plan.leads) == 0) {
                RunPlan(plan, p, o, EucToSjisTable);
                p += plan.inLen;
                o += plan.outLen;
                continue;
            }
        }
        const unsigned char c = *p;
        if (c < 0x80) {
            *o++ = c;
            ++p;
            continue;
        }
        const CharAt ch = EucCharAt(p, end);
        if (ch.fault != DecodeError::None) {
            o = PutGeta(state, p, ch, GetaSjis, o);
            continue;
        }
        if (c == 0x8E)
            *o++ = p[1];
        else
            o = PutPair(o, EucToSjisTable[Load16(p)]);
        p += 2;
    }
    from = p;
    to = o;
}

} // namespace

namespace detail {
const CodeSteps EucToJis = {EucToJisSteps, ToJisGrowth, ToJisEighths, true};
// Only a geta mark for a single byte grows.
const CodeSteps EucToSjis = {ChunksThenSteps<EucChunkToSjis, EucToSjisSteps>, 2, 8, false};
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
