// JIS (ISO-2022-JP) to Shift_JIS and to EUC-JP. Any ESC $ x enters two-byte
// mode and any ESC ( x leaves it. An escape that follows another escape
// directly is honoured too (valid ISO-2022-JP may chain them); an escape or a
// two-byte character cut off by the end of the text is copied as it stands.
#include "fast_tables.h"
#include "jconvert.h"

namespace Jconvert {

using namespace detail;

namespace {

bool EightAsciiNoEsc(const unsigned char *p)
{
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    const std::uint64_t x = w ^ 0x1B1B1B1B1B1B1B1BULL;
    const std::uint64_t esc = (x - 0x0101010101010101ULL) & ~x & 0x8080808080808080ULL;
    return ((w & 0x8080808080808080ULL) | esc) == 0;
}

bool IsJisByte(unsigned char c) { return c >= 0x21 && c <= 0x7E; }

enum class Target { Sjis, Euc };

template <Target T> std::string FromJis(std::string_view text)
{
    const unsigned char *p = Bytes(text);
    const unsigned char *const end = p + text.size();
    // Escapes are dropped and pairs stay pairs, so the output never grows.
    std::string out(text.size(), '\0');
    unsigned char *o = reinterpret_cast<unsigned char *>(out.data());
    unsigned char *const begin = o;
    bool kanji = false;

    while (p < end) {
        const unsigned char c = *p;
        if (c == ESC) {
            if (end - p < 3) {
                while (p < end)
                    *o++ = *p++;
                break;
            }
            if (p[1] == '$')
                kanji = true;
            else if (p[1] == '(')
                kanji = false;
            p += 3;
            continue;
        }
        if (!kanji) {
            if (p + 8 <= end && EightAsciiNoEsc(p)) {
                std::memcpy(o, p, 8);
                o += 8;
                p += 8;
                continue;
            }
            *o++ = c;
            ++p;
            continue;
        }
        if (!IsJisByte(c)) {
            *o++ = c;
            ++p;
            continue;
        }
        if constexpr (T == Target::Euc) {
            *o++ = c | 0x80;
            ++p;
        } else {
            if (p + 1 >= end) {
                *o++ = c;
                ++p;
                continue;
            }
            const Pair &s = JisToSjisTable[((c & 0x7F) << 7) | (p[1] & 0x7F)];
            o[0] = s[0];
            o[1] = s[1];
            o += 2;
            p += 2;
        }
    }
    out.resize(static_cast<std::size_t>(o - begin));
    return out;
}

} // namespace

std::string jis2sjis(std::string_view text) { return FromJis<Target::Sjis>(text); }

std::string jis2euc(std::string_view text) { return FromJis<Target::Euc>(text); }

} // namespace Jconvert
