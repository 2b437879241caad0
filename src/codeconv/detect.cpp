#include "fast_tables.h"
#include "jconvert.h"

namespace Jconvert {

namespace {

constexpr std::uint64_t Ones = 0x0101010101010101ULL;
constexpr std::uint64_t Highs = 0x8080808080808080ULL;

// True when all eight bytes are in 0x08..0x7F and none is ESC: bytes on
// which the main scan sets nothing, so it may skip them as a block.
bool EightInert(const unsigned char *p)
{
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    const std::uint64_t below8 = (w - Ones * 0x08) & ~w & Highs;
    const std::uint64_t x = w ^ (Ones * 0x1B);
    const std::uint64_t esc = (x - Ones) & ~x & Highs;
    return ((w & Highs) | below8 | esc) == 0;
}

bool IsBinaryByte(unsigned char c)
{
    return c < 0x08 || c == 0xFF;
}

} // namespace

int InCodeCheck(std::string_view text)
{
    const unsigned char *p = detail::Bytes(text);
    const std::size_t n = text.size();
    if (n == 0)
        return JC_ASCII;

    const std::size_t pre = std::min(STRICT_CHECK_LEN, n - 1);
    for (std::size_t i = 0; i < pre; ++i) {
        if (IsBinaryByte(p[i]))
            return JC_BINARY;
    }

    // Reading past the last byte yields 0x00.
    auto at = [&](std::size_t i) -> unsigned char { return i < n ? p[i] : 0; };

    int r = JC_ASCII;
    std::size_t i = 0;
    while ((r == JC_ASCII || r == JC_EUC_OR_SJIS) && i + 1 < n) {
        if (i + 8 <= n && EightInert(p + i)) {
            i += 8;
            continue;
        }
        const unsigned char c = p[i];
        if (c == 0x1B) {
            if (at(++i) == '$') {
                const unsigned char c3 = at(++i);
                if (c3 == 'B')
                    r = JC_JIS_NEW;
                else if (c3 == '@')
                    r = JC_JIS_OLD;
            }
        } else if (IsBinaryByte(c)) {
            r = JC_BINARY;
        } else if (c <= 0x7F || c == 0x80 || c == 0xA0) {
            // nothing
        } else if ((c >= 0x81 && c <= 0x8D) || (c >= 0x8F && c <= 0x9F)) {
            r = JC_SJIS;
        } else if (c == 0x8E) {
            const unsigned char c2 = p[++i];
            if ((c2 >= 0x40 && c2 <= 0x7E) || (c2 >= 0x80 && c2 <= 0xA0) || (c2 >= 0xE0 && c2 <= 0xFC))
                r = JC_SJIS;
            else if (c2 >= 0xA1 && c2 <= 0xDF)
                r = JC_EUC_OR_SJIS;
        } else if (c >= 0xA1 && c <= 0xDF) {
            const unsigned char c2 = p[++i];
            if (c2 >= 0xF0 && c2 <= 0xFE) {
                r = JC_EUC;
            } else if (c2 >= 0xA1 && c2 <= 0xDF) {
                r = JC_EUC_OR_SJIS;
            } else if (c2 >= 0xE0 && c2 <= 0xEF) {
                r = JC_EUC_OR_SJIS;
                // Run scan: a later Shift_JIS-only or EUC-only byte decides.
                while (i < n && p[i] >= 0x40 && r == JC_EUC_OR_SJIS) {
                    const unsigned char b = p[i];
                    if ((b >= 0x81 && b <= 0x8D) || (b >= 0x8F && b <= 0x9C))
                        r = JC_SJIS;
                    else if (b == 0xFD || b == 0xFE)
                        r = JC_EUC;
                    ++i;
                }
            } else if (c2 <= 0x9F) {
                r = JC_SJIS;
            }
        } else if (c >= 0xF0 && c <= 0xFE) {
            r = JC_EUC;
        } else { // 0xE0..0xEF
            const unsigned char c2 = p[++i];
            if ((c2 >= 0x40 && c2 <= 0x7E) || (c2 >= 0x80 && c2 <= 0xA0))
                r = JC_SJIS;
            else if (c2 == 0xFD || c2 == 0xFE)
                r = JC_EUC;
            else if (c2 >= 0xA1 && c2 <= 0xFC)
                r = JC_EUC_OR_SJIS;
        }
        ++i;
    }
    return r;
}

} // namespace Jconvert
