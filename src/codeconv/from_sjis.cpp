// Shift_JIS to JIS and to EUC-JP. A lead byte cut off by the end of the text
// is copied as it stands: it cannot be converted, and nothing is dropped.
#include "fast_tables.h"
#include "jconvert.h"

namespace Jconvert {

using namespace detail;

namespace {

bool IsSjisKana(unsigned char c)
{
    return c >= 0xA1 && c <= 0xDF;
}

// Input bytes handled between two checks of the output room.
constexpr std::size_t Chunk = 4096;

} // namespace

std::string sjis2jis83(std::string_view text)
{
    const unsigned char *p = Bytes(text);
    const unsigned char *const end = p + text.size();
    ByteSink sink(text.size() + text.size() / 4);
    bool kanji = false;

    while (p < end) {
        const unsigned char *const stop = p + std::min<std::size_t>(Chunk, end - p);
        // Worst case per input byte: an escape plus a two-byte character.
        unsigned char *o = sink.Room(5 * (stop - p) + 8);
        while (p < stop) {
            const unsigned char c = *p;
            if (c >= 0x80) {
                if (!kanji) {
                    o = PutEnterKanji(o);
                    kanji = true;
                }
                if (!IsSjisKana(c) && p + 1 < end) {
                    o = PutPair(o, SjisToJisTable[PairIndex(c, p[1])]);
                    p += 2;
                } else if (IsSjisKana(c)) {
                    p += KanaToJis(c, p + 1, end, false, o);
                    o += 2;
                } else {
                    *o++ = c;
                    ++p;
                }
                continue;
            }
            if (kanji) {
                o = PutLeaveKanji(o);
                kanji = false;
            }
            if (p + 8 <= stop && EightAscii(p)) {
                std::memcpy(o, p, 8);
                o += 8;
                p += 8;
                continue;
            }
            *o++ = c;
            ++p;
        }
        sink.Commit(o);
    }
    return sink.Take();
}

std::string sjis2euc(std::string_view text)
{
    const unsigned char *p = Bytes(text);
    const unsigned char *const end = p + text.size();
    ByteSink sink(text.size() + text.size() / 8);

    while (p < end) {
        const unsigned char *const stop = p + std::min<std::size_t>(Chunk, end - p);
        unsigned char *o = sink.Room(2 * (stop - p) + 16);
        while (p < stop) {
            // A single byte at the block's end is read as a pair, hence the ninth byte.
            if (stop - p >= 8 && end - p > 8) {
                const std::uint64_t w = Load64(p);
                const unsigned kana = HighBitMask(KanaBytes(w));
                const BlockPlan &plan = BlockPlans[HighBitMask(w) & ~kana];
                // Half-width katakana grow to two bytes: the slow path takes them.
                if ((kana & plan.singles) == 0) {
                    RunPlan(plan, p, o, SjisToEucTable);
                    p += plan.inLen;
                    o += plan.outLen;
                    continue;
                }
            }
            const unsigned char c = *p;
            if (c >= 0x80) {
                if (!IsSjisKana(c) && p + 1 < end) {
                    o = PutPair(o, SjisToEucTable[PairIndex(c, p[1])]);
                    p += 2;
                } else if (IsSjisKana(c)) {
                    o[0] = 0x8E;
                    o[1] = c;
                    o += 2;
                    ++p;
                } else {
                    *o++ = c;
                    ++p;
                }
                continue;
            }
            *o++ = c;
            ++p;
        }
        sink.Commit(o);
    }
    return sink.Take();
}

} // namespace Jconvert
