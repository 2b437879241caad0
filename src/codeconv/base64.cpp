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
    const unsigned char *const end = Bytes(data) + data.size();
    return InPieces(data, 2, EncodedLength(data.size()),
                    [end](const unsigned char *&p, const unsigned char *stop, unsigned char *out) {
                        // Whole groups up to the stop (finishing the group that crosses it).
                        const std::size_t groups = std::min<std::size_t>((stop - p + 2) / 3, (end - p) / 3);
                        char *o = EncodeFull(p, groups, reinterpret_cast<char *>(out));
                        p += groups * 3;
                        if (p < stop) // fewer than three bytes left in the text
                            o = EncodeTail(p, static_cast<std::size_t>(end - p), o), p = end;
                        return reinterpret_cast<unsigned char *>(o);
                    });
}

std::string EncodeBase64R(std::string_view data, std::string_view lineBreak)
{
    constexpr std::size_t GroupsPerLine = 19;
    constexpr std::size_t LineBytes = GroupsPerLine * 3;
    const std::size_t lines = data.size() / LineBytes;
    std::string out;
    ReserveResult(out, EncodedLength(data.size()) + lines * lineBreak.size());
    const unsigned char *in = Bytes(data);
    char line[GroupsPerLine * 4];
    for (std::size_t l = 0; l < lines; ++l, in += LineBytes) {
        EncodeFull(in, GroupsPerLine, line);
        out.append(line, sizeof line);
        out.append(lineBreak);
    }
    out.append(EncodeBase64(data.substr(lines * LineBytes)));
    return out;
}

std::string DecodeBase64(std::string_view text)
{
    const unsigned char *const end = Bytes(text) + text.size();
    // Never longer than the text; the character-by-character path may read
    // past the stop to complete a group.
    return InPieces(text, 1, text.size() / 4 * 3 + 3,
                    [end](const unsigned char *&p, const unsigned char *stop, unsigned char *o) {
                        while (p < stop) {
                            if (end - p >= 4) {
                                const std::uint32_t w = D0[p[0]] | D1[p[1]] | D2[p[2]] | D3[p[3]];
                                if (w < Invalid) {
                                    o[0] = static_cast<unsigned char>(w >> 16);
                                    o[1] = static_cast<unsigned char>(w >> 8);
                                    o[2] = static_cast<unsigned char>(w);
                                    o += 3;
                                    p += 4;
                                    continue;
                                }
                            }
                            // One group character by character: line breaks and characters
                            // outside the alphabet are skipped, "=" ends the group early.
                            std::uint32_t w = 0;
                            int k = 0;
                            while (p < end && k < 4) {
                                const unsigned char c = *p++;
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
                        return o;
                    });
}

DecodeResult DecodeBase64Checked(std::string_view text, std::string &out)
{
    // Padding fills out a group of two or three characters; another group may follow a padded one
    // (concatenated encodings, as coreutils reads them).
    int inGroup = 0; // characters of the current group, padding included
    bool padded = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsBlank(c))
            continue;
        if (c == '=') {
            if (inGroup < 2)
                return {DecodeError::BadCharacter, i};
            padded = true;
        } else if (D3[c] == Invalid || padded) {
            return {DecodeError::BadCharacter, i};
        }
        if (++inGroup == 4)
            inGroup = 0, padded = false;
    }
    if (inGroup == 1 || padded)
        return {DecodeError::CutShort, text.size()};
    out += DecodeBase64(text);
    return {DecodeError::None, 0};
}

} // namespace Jconvert
