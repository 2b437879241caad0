#include "code_chars.h"
#include "jconvert.h"

#include <algorithm>
#include <cctype>

namespace Jconvert {

namespace {

constexpr std::string_view Prefix = "=?ISO-2022-JP?B?";
constexpr std::string_view Suffix = "?=";

constexpr std::string_view ToAscii = "\x1B(B";

std::size_t FindPrefix(std::string_view text, std::size_t from)
{
    const auto it =
        std::search(text.begin() + from, text.end(), Prefix.begin(), Prefix.end(), [](char a, char b) {
            return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
        });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

// The length of the character at k that goes into an encoded word: 2 for a double-byte character JIS holds,
// 1 for a half-width katakana (JIS has it only in full width), 0 for anything else.
std::size_t EncodedCharAt(std::string_view sjisText, std::size_t k)
{
    const unsigned char *p = detail::Bytes(sjisText) + k;
    if (*p < 0x80)
        return 0;
    const detail::CharAt ch = detail::SjisCharAt(p, detail::Bytes(sjisText) + sjisText.size());
    return ch.fault == DecodeError::None ? ch.length : 0;
}

} // namespace

std::string CreateHeaderString(std::string_view sjisText)
{
    std::string out;
    std::size_t i = 0;
    const std::size_t n = sjisText.size();
    while (i < n) {
        if (EncodedCharAt(sjisText, i) == 0) {
            out += sjisText[i++];
            continue;
        }
        const std::size_t start = i;
        for (std::size_t len; i < n && (len = EncodedCharAt(sjisText, i)) != 0;)
            i += len;
        out.append(Prefix);
        // Each word ends in ASCII (as all JIS output does), so that it decodes by itself.
        out.append(EncodeBase64(sjis2jis83(sjisText.substr(start, i - start))));
        out.append(Suffix);
    }
    return out;
}

std::size_t HeaderEightBitByte(std::string_view sjisText)
{
    for (std::size_t i = 0; i < sjisText.size(); ++i) {
        if (static_cast<unsigned char>(sjisText[i]) < 0x80)
            continue;
        const std::size_t len = EncodedCharAt(sjisText, i);
        if (len == 0)
            return i;
        i += len - 1;
    }
    return std::string_view::npos;
}

std::string DecodeHeaderString(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t start = FindPrefix(text, pos);
        if (start == std::string_view::npos)
            break;
        out.append(text.substr(pos, start - pos));
        const std::size_t body = start + Prefix.size();
        const std::size_t close = text.find(Suffix, body);
        if (close == std::string_view::npos) {
            pos = start; // an unclosed word stays as it is
            break;
        }
        const std::size_t after = close + Suffix.size();
        std::string bytes;
        if (DecodeBase64Checked(text.substr(body, close - body), bytes).error != DecodeError::None) {
            out.append(text.substr(start, after - start)); // not a word: kept as written
        } else {
            out.append(bytes);
            // What follows is ASCII again (not JIS-Roman, which reads '~' and '\\' otherwise).
            if (!bytes.ends_with(ToAscii))
                out.append(ToAscii);
        }
        pos = after;
    }
    out.append(text.substr(pos));
    return out;
}

} // namespace Jconvert
