#include "fast_tables.h"
#include "jconvert.h"
#include "six_bit.h"

namespace Jconvert {

using namespace detail;

namespace {

constexpr std::size_t LineBytes = 45;

// Zero is written as a grave accent so lines never end in spaces.
char UUChar(unsigned v)
{
    return v == 0 ? '`' : static_cast<char>(0x20 + v);
}

unsigned UUValue(unsigned char c)
{
    return (c - 0x20) & 0x3F;
}

bool IsLineEnd(unsigned char c)
{
    return c == '\r' || c == '\n';
}

bool IsUUChar(unsigned char c)
{
    return c >= 0x20 && c <= 0x60;
}

bool StartsLine(std::string_view text, std::size_t pos, std::string_view word)
{
    return text.substr(pos, word.size()) == word;
}

} // namespace

std::string EncodeUU(std::string_view data, std::string_view lineBreak)
{
    const unsigned char *in = Bytes(data);
    std::string out;
    const std::size_t lines = (data.size() + LineBytes - 1) / LineBytes;
    out.reserve(lines * (61 + lineBreak.size()) + 1 + lineBreak.size());
    for (std::size_t pos = 0; pos < data.size(); pos += LineBytes) {
        const std::size_t count = std::min(LineBytes, data.size() - pos);
        out += UUChar(static_cast<unsigned>(count));
        for (std::size_t g = 0; g < count; g += 3) {
            unsigned char v[4];
            SixBitGroup(in + pos + g, count - g, v);
            for (unsigned char x : v)
                out += UUChar(x);
        }
        out.append(lineBreak);
    }
    out += '`';
    out.append(lineBreak);
    return out;
}

std::string DecodeUU(std::string_view text)
{
    const unsigned char *p = Bytes(text);
    const unsigned char *const end = p + text.size();
    std::string out;
    out.reserve(text.size() / 4 * 3);
    while (p < end) {
        const unsigned char *eol = p;
        while (eol < end && !IsLineEnd(*eol))
            ++eol;
        if (eol > p) {
            std::size_t left = UUValue(*p);
            const unsigned char *q = p + 1;
            // A line cut short yields what its characters hold, no more.
            while (left > 0 && eol - q >= 2) {
                const std::size_t chars = std::min<std::size_t>(4, eol - q);
                unsigned w = 0;
                for (std::size_t k = 0; k < 4; ++k)
                    w = (w << 6) | (k < chars ? UUValue(q[k]) : 0);
                const std::size_t take = std::min(left, chars - 1);
                for (std::size_t b = 0; b < take; ++b)
                    out += static_cast<char>((w >> (16 - 8 * b)) & 0xFF);
                left -= take;
                q += chars;
            }
        }
        p = eol;
        while (p < end && IsLineEnd(*p))
            ++p;
    }
    return out;
}

DecodeResult DecodeUUFile(std::string_view text, std::string &out)
{
    // Anything before the "begin" line is skipped, as uudecode does.
    std::size_t body = 0;
    bool framed = false;
    for (std::size_t pos = 0; pos < text.size(); pos = NextLine(text, LineEnd(text, pos))) {
        if (StartsLine(text, pos, "begin ")) {
            body = NextLine(text, LineEnd(text, pos));
            framed = true;
            break;
        }
    }
    for (std::size_t pos = body; pos < text.size();) {
        const std::size_t eol = LineEnd(text, pos);
        const std::size_t next = NextLine(text, eol);
        if (eol == pos) { // a blank line
            pos = next;
            continue;
        }
        for (std::size_t i = pos; i < eol; ++i) {
            if (!IsUUChar(static_cast<unsigned char>(text[i])))
                return {DecodeError::BadCharacter, i};
        }
        const std::size_t count = UUValue(static_cast<unsigned char>(text[pos]));
        if (count == 0) {
            // The empty line closes the data; a framed file still owes its "end" line.
            if (framed) {
                std::size_t end = next;
                while (end < text.size() && IsLineEnd(static_cast<unsigned char>(text[end])))
                    ++end;
                if (!StartsLine(text, end, "end"))
                    return {DecodeError::MissingEnd, end};
            }
            out += DecodeUU(text.substr(body, pos - body));
            return {DecodeError::None, 0};
        }
        if (eol - pos - 1 < (count * 4 + 2) / 3)
            return {DecodeError::CutShort, eol};
        pos = next;
    }
    return {DecodeError::MissingEnd, text.size()};
}

} // namespace Jconvert
