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
    SixBitJoiner joiner;
    while (p < end) {
        const unsigned char c = *p++;
        if (c == '\r' || c == '\n')
            continue;
        const int v = Values[c];
        if (v < 0)
            break; // the closing colon, or anything else outside the alphabet
        joiner.Add(static_cast<unsigned>(v), out);
    }
    joiner.Finish(out);
    return out;
}

DecodeResult DecodeBinHexFile(std::string_view text, std::string &out)
{
    // Mail headers and the like may come before the line that names BinHex.
    std::size_t from = 0;
    const std::size_t header = text.find("(This file must be converted with BinHex");
    if (header != std::string_view::npos)
        from = NextLine(text, LineEnd(text, header));
    std::size_t start = from;
    while (start < text.size() && text[start] != ':')
        start = NextLine(text, LineEnd(text, start));
    if (start >= text.size())
        return {DecodeError::MissingStart, from};

    out.reserve(out.size() + (text.size() - start) / 4 * 3);
    SixBitJoiner joiner;
    for (std::size_t i = start + 1; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsBlank(c))
            continue;
        if (c == ':') {
            // A single character cannot make a byte.
            if (joiner.Waiting() == 1)
                return {DecodeError::CutShort, i};
            joiner.Finish(out);
            return {DecodeError::None, 0};
        }
        const int v = Values[c];
        if (v < 0)
            return {DecodeError::BadCharacter, i};
        joiner.Add(static_cast<unsigned>(v), out);
    }
    return {DecodeError::MissingEnd, text.size()};
}

} // namespace Jconvert
