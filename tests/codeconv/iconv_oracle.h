// glibc iconv as the reference for code tables.
#pragma once

#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>

// The bytes converted, or nothing when iconv rejects any of them.
inline std::optional<std::string> Iconv(const char *from, const char *to, std::string_view in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(in.size() * 4 + 16, '\0');
    char *src = const_cast<char *>(in.data());
    std::size_t srcLeft = in.size();
    char *dst = out.data();
    std::size_t dstLeft = out.size();
    std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    if (rc != static_cast<std::size_t>(-1))
        rc = iconv(cd, nullptr, nullptr, &dst, &dstLeft); // shift back to ASCII
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || srcLeft != 0)
        return std::nullopt;
    out.resize(out.size() - dstLeft);
    return out;
}

// The text as iconv reads it from `from` and writes it in `to`, with the geta
// mark U+3013 in place of each character `to` lacks; nothing when iconv
// cannot read it.
inline std::optional<std::string> IconvOrGeta(const char *from, const char *to, std::string_view in)
{
    const auto utf32 = Iconv(from, "UTF-32LE", in);
    if (!utf32)
        return std::nullopt;
    const std::string geta("\x13\x30\0\0", 4);
    std::string kept;
    for (std::size_t i = 0; i + 4 <= utf32->size(); i += 4) {
        const std::string one = utf32->substr(i, 4);
        kept += Iconv("UTF-32LE", to, one) ? one : geta;
    }
    return Iconv("UTF-32LE", to, kept);
}
