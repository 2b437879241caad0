#include "fast_tables.h"
#include "jconvert.h"
#include "six_bit.h"

namespace Jconvert {

using namespace detail;

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Two characters for each 12-bit value: one lookup per half group.
constexpr std::array<std::array<char, 2>, 4096> MakePairs()
{
    std::array<std::array<char, 2>, 4096> t{};
    for (unsigned i = 0; i < 4096; ++i)
        t[i] = {Alphabet[i >> 6], Alphabet[i & 63]};
    return t;
}
constinit const std::array<std::array<char, 2>, 4096> Pairs = MakePairs();

constexpr std::uint32_t Invalid = 0x01000000;

// Values pre-shifted into their place in a 24-bit group; Invalid marks
// anything outside the alphabet so one test covers four characters.
constexpr std::array<std::uint32_t, 256> MakeDecode(int shift)
{
    std::array<std::uint32_t, 256> t{};
    for (auto &v : t)
        v = Invalid;
    for (unsigned i = 0; i < 64; ++i)
        t[static_cast<unsigned char>(Alphabet[i])] = i << shift;
    return t;
}
constinit const std::array<std::uint32_t, 256> D0 = MakeDecode(18);
constinit const std::array<std::uint32_t, 256> D1 = MakeDecode(12);
constinit const std::array<std::uint32_t, 256> D2 = MakeDecode(6);
constinit const std::array<std::uint32_t, 256> D3 = MakeDecode(0);

// Encodes `groups` full groups from in to out; returns the end of out.
char *EncodeFull(const unsigned char *in, std::size_t groups, char *out)
{
    for (std::size_t g = 0; g < groups; ++g, in += 3, out += 4) {
        const unsigned w = (unsigned(in[0]) << 16) | (unsigned(in[1]) << 8) | in[2];
        std::memcpy(out, Pairs[w >> 12].data(), 2);
        std::memcpy(out + 2, Pairs[w & 0xFFF].data(), 2);
    }
    return out;
}

// The final one- or two-byte group with its padding.
char *EncodeTail(const unsigned char *in, std::size_t bytes, char *out)
{
    if (bytes == 0)
        return out;
    unsigned char v[4];
    SixBitGroup(in, bytes, v);
    out[0] = Alphabet[v[0]];
    out[1] = Alphabet[v[1]];
    out[2] = bytes == 2 ? Alphabet[v[2]] : '=';
    out[3] = '=';
    return out + 4;
}

std::size_t EncodedLength(std::size_t n)
{
    return (n + 2) / 3 * 4;
}

} // namespace

std::string EncodeBase64(std::string_view data)
{
    std::string out(EncodedLength(data.size()), '\0');
    const unsigned char *in = Bytes(data);
    char *o = EncodeFull(in, data.size() / 3, out.data());
    EncodeTail(in + data.size() / 3 * 3, data.size() % 3, o);
    return out;
}

std::string EncodeBase64R(std::string_view data, std::string_view lineBreak)
{
    constexpr std::size_t GroupsPerLine = 19;
    const std::size_t groups = data.size() / 3;
    const std::size_t lines = groups / GroupsPerLine;
    std::string out(EncodedLength(data.size()) + lines * lineBreak.size(), '\0');
    const unsigned char *in = Bytes(data);
    char *o = out.data();
    for (std::size_t l = 0; l < lines; ++l) {
        o = EncodeFull(in, GroupsPerLine, o);
        in += GroupsPerLine * 3;
        std::memcpy(o, lineBreak.data(), lineBreak.size());
        o += lineBreak.size();
    }
    const std::size_t rest = groups - lines * GroupsPerLine;
    o = EncodeFull(in, rest, o);
    EncodeTail(in + rest * 3, data.size() % 3, o);
    return out;
}

std::string DecodeBase64(std::string_view text)
{
    const unsigned char *p = Bytes(text);
    const std::size_t n = text.size();
    std::string out(n / 4 * 3 + 3, '\0');
    unsigned char *o = reinterpret_cast<unsigned char *>(out.data());
    unsigned char *const begin = o;

    std::size_t i = 0;
    while (i < n) {
        if (i + 4 <= n) {
            const std::uint32_t w = D0[p[i]] | D1[p[i + 1]] | D2[p[i + 2]] | D3[p[i + 3]];
            if (w < Invalid) {
                o[0] = static_cast<unsigned char>(w >> 16);
                o[1] = static_cast<unsigned char>(w >> 8);
                o[2] = static_cast<unsigned char>(w);
                o += 3;
                i += 4;
                continue;
            }
        }
        // One group character by character: line breaks and characters
        // outside the alphabet are skipped, "=" ends the group early.
        std::uint32_t w = 0;
        int k = 0;
        while (i < n && k < 4) {
            const unsigned char c = p[i++];
            const std::uint32_t v = D3[c];
            if (v < Invalid) {
                w |= v << (18 - 6 * k);
                ++k;
            } else if (c == '=') {
                break;
            }
        }
        // Two characters give one byte, three give two, four give three.
        for (int b = 0; b < k - 1; ++b)
            *o++ = static_cast<unsigned char>(w >> (16 - 8 * b));
    }
    out.resize(static_cast<std::size_t>(o - begin));
    return out;
}

} // namespace Jconvert
