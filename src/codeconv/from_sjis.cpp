// Shift_JIS to JIS and to EUC-JP. What neither holds (a lead byte without
// its trail, a byte that starts no character, a user-defined or IBM extension
// character) becomes the geta mark.
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

unsigned char *SjisToJisSteps(const unsigned char *&p, const unsigned char *stop, const unsigned char *end,
                              unsigned char *o, StepState &state)
{
    return ToJisSteps(p, stop, end, o, state,
                      [&state](const unsigned char *&p, const unsigned char *end, unsigned char *&o) {
                          const unsigned char c = *p;
                          const CharAt ch = SjisCharAt(p, end);
                          if (ch.fault != DecodeError::None) {
                              o = PutGeta(state, p, ch, GetaJis, o);
                          } else if (IsKanaByte(c)) {
                              p += KanaToJis(c, p + 1, end, false, o);
                              o += 2;
                          } else {
                              o = PutPair(o, SjisToJisTable[Load16(p)]);
                              p += 2;
                          }
                      });
}

// Shift_JIS to EUC-JP up to stop (or a byte past it, to finish a
// character) by runs of pairs, 8-byte plans and single characters.
void SjisToEucSteps(const unsigned char *&from, const unsigned char *stop, const unsigned char *end,
                    unsigned char *&to, StepState &state)
{
    // Copies in locals: through the references, any byte stored at o might be p
    // or o itself, and both would be reloaded after every store.
    const unsigned char *p = from;
    unsigned char *o = to;
    while (p < stop) {
        if (HavePairVectors && stop - p >= 16 && EightSjisPairs(p)) {
            SjisPairsToEuc(p, o);
            p += 16;
            o += 16;
            continue;
        }
        // A single byte at the block's end is read as a pair, hence the ninth byte.
        if (stop - p >= 8 && end - p > 8) {
            const std::uint64_t w = Load64(p);
            const unsigned kana = HighBitMask(KanaBytes(w));
            const BlockPlan &plan = BlockPlans[HighBitMask(w) & ~kana];
            // Half-width katakana grow to two bytes, and what needs a geta mark is no pair: the slow path
            // takes them.
            if ((kana & plan.singles) == 0 && (plan.leads & SjisUnpairable(w)) == 0) {
                RunPlan(plan, p, o, SjisToEucTable);
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
        const CharAt ch = SjisCharAt(p, end);
        if (ch.fault != DecodeError::None) {
            o = PutGeta(state, p, ch, GetaEuc, o);
        } else if (IsKanaByte(c)) {
            o[0] = 0x8E;
            o[1] = c;
            o += 2;
            ++p;
        } else {
            o = PutPair(o, SjisToEucTable[Load16(p)]);
            p += 2;
        }
    }
    from = p;
    to = o;
}

} // namespace

namespace detail {
const CodeSteps SjisToJis = {SjisToJisSteps, ToJisGrowth, ToJisEighths, true};
// Half-width katakana and geta marks for single bytes grow to two bytes.
const CodeSteps SjisToEuc = {ChunksThenSteps<SjisChunkToEuc, SjisToEucSteps>, 2, 9, false};
} // namespace detail

std::string sjis2jis83(std::string_view text)
{
    return WholeText(text, SjisToJis);
}

std::string sjis2euc(std::string_view text)
{
    return WholeText(text, SjisToEuc);
}

} // namespace Jconvert
