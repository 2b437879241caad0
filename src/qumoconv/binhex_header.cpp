#include "binhex_header.h"

#include <cstdint>

namespace qumoconv {

namespace {

constexpr unsigned char RunMarker = 0x90;
// Name length, name (up to 63), version, type, creator, flags, two fork lengths, CRC.
constexpr std::size_t MaxHeaderBytes = 1 + 63 + 1 + 4 + 4 + 2 + 4 + 4 + 2;

// The first `limit` bytes of the run-length coded `data`: byte, 0x90, count repeats the byte
// count times in all; 0x90, 0 is the byte 0x90 itself.
std::string Expand(std::string_view data, std::size_t limit)
{
    std::string out;
    for (std::size_t i = 0; i < data.size() && out.size() < limit; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c != RunMarker || i + 1 >= data.size()) {
            out += static_cast<char>(c);
            continue;
        }
        const auto count = static_cast<unsigned char>(data[++i]);
        if (count == 0)
            out += static_cast<char>(RunMarker);
        else if (!out.empty())
            out.append(count - 1u, out.back());
    }
    return out;
}

// CRC-16 with the polynomial 0x1021 and no initial value, as BinHex computes it.
std::uint16_t Crc(std::string_view bytes)
{
    std::uint16_t crc = 0;
    for (const char b : bytes) {
        crc ^= static_cast<std::uint16_t>(static_cast<unsigned char>(b) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

} // namespace

std::optional<std::string> BinHex4FileName(std::string_view data)
{
    const std::string header = Expand(data, MaxHeaderBytes);
    if (header.empty())
        return std::nullopt;
    const std::size_t nameLength = static_cast<unsigned char>(header[0]);
    const std::size_t crcAt = 1 + nameLength + 1 + 4 + 4 + 2 + 4 + 4;
    if (nameLength == 0 || nameLength > 63 || header.size() < crcAt + 2 || header[1 + nameLength] != 0)
        return std::nullopt;
    const auto stored = static_cast<std::uint16_t>(static_cast<unsigned char>(header[crcAt]) << 8 |
                                                   static_cast<unsigned char>(header[crcAt + 1]));
    if (Crc(std::string_view(header).substr(0, crcAt)) != stored)
        return std::nullopt;
    return header.substr(1, nameLength);
}

} // namespace qumoconv
