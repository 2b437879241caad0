#include "fast_tables.h"
#include "jconvert.h"
#include "six_bit.h"

namespace Jconvert {

using namespace detail;

namespace {

constexpr char Alphabet[] = "!\"#$%&'()*+,-012345689@ABCDEFGHIJKLMNPQRSTUVXYZ[`abcdefhijklmpqr";
constexpr std::size_t LineLength = 64;

constexpr std::array<signed char, 256> MakeValues()
{
    std::array<signed char, 256> t{};
    for (auto &v : t)
        v = -1;
    for (int i = 0; i < 64; ++i)
        t[static_cast<unsigned char>(Alphabet[i])] = static_cast<signed char>(i);
    return t;
}
constinit const std::array<signed char, 256> Values = MakeValues();

} // namespace

std::string EncodeBinHex(std::string_view data, std::string_view lineBreak)
{
    const unsigned char *in = Bytes(data);
    const std::size_t chars = 2 + data.size() / 3 * 4 + (data.size() % 3 ? data.size() % 3 + 1 : 0);
    std::string out;
    out.reserve(chars + chars / LineLength * lineBreak.size());

    std::size_t column = 0;
    // Breaks go between characters only, never after the closing colon.
    auto put = [&](char c) {
        if (column == LineLength) {
            out.append(lineBreak);
            column = 0;
        }
        out += c;
        ++column;
    };
    put(':');
    for (std::size_t pos = 0; pos < data.size(); pos += 3) {
        const std::size_t avail = std::min<std::size_t>(3, data.size() - pos);
        unsigned char v[4];
        SixBitGroup(in + pos, avail, v);
        for (std::size_t k = 0; k < avail + 1; ++k)
            put(Alphabet[v[k]]);
    }
    put(':');
    return out;
}

std::string DecodeBinHex(std::string_view text)
{
    const unsigned char *p = Bytes(text);
    const unsigned char *const end = p + text.size();
    std::string out;
    out.reserve(text.size() / 4 * 3);
    if (p < end)
        ++p; // the opening colon
    unsigned w = 0;
    int k = 0;
    while (p < end) {
        const unsigned char c = *p++;
        if (c == '\r' || c == '\n')
            continue;
        const int v = Values[c];
        if (v < 0)
            break; // the closing colon, or anything else outside the alphabet
        w = (w << 6) | static_cast<unsigned>(v);
        if (++k == 4) {
            out += static_cast<char>(w >> 16);
            out += static_cast<char>(w >> 8);
            out += static_cast<char>(w);
            w = 0;
            k = 0;
        }
    }
    // A group cut short keeps the whole bytes its characters hold.
    if (k >= 2) {
        w <<= 6 * (4 - k);
        for (int b = 0; b < k - 1; ++b)
            out += static_cast<char>(w >> (16 - 8 * b));
    }
    return out;
}

} // namespace Jconvert
