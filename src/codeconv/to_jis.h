// The frame shared by the Shift_JIS and EUC-JP to JIS converters: ASCII
// passes through, ESC $ B goes before a run of two-byte characters and
// ESC ( B after it (at the end of the text too, by FinishOutput). `step`
// converts the character at p (a byte of 0x80 or above), advancing p and o.
#pragma once

#include "code_steps.h"
#include "fast_tables.h"

namespace Jconvert::detail {

template <typename Step>
unsigned char *ToJisSteps(const unsigned char *&p, const unsigned char *stop, const unsigned char *end,
                          unsigned char *o, StepState &state, Step step)
{
    bool &kanji = state.kanji;
    while (p < stop) {
        const unsigned char c = *p;
        if (c >= 0x80) {
            if (!kanji) {
                o = PutEnterKanji(o);
                kanji = true;
            }
            step(p, end, o);
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
    return o;
}

// Worst case per input byte: an escape plus a two-byte character.
inline constexpr std::size_t ToJisGrowth = 5;
inline constexpr unsigned ToJisEighths = 12;

} // namespace Jconvert::detail
