// The half-width katakana table: where each JIS X 0201 katakana sits among
// the full-width forms of JIS X 0208.
#pragma once

#include <cstddef>

namespace Jconvert::detail {

// Indexed by k - 0x21 for a katakana byte with low bits k (0x21-0x5F).
inline constexpr std::size_t HANKANA_COUNT = 63;
// Cell (second byte) of each full-width form.
extern const unsigned char HankanaCell[HANKANA_COUNT];
// Row of the full-width form: 0x21 for the symbols and marks, else 0x25.
constexpr unsigned char HankanaRow(unsigned char k)
{
    return (k <= 0x25 || k == 0x30 || k >= 0x5E) ? 0x21 : 0x25;
}

} // namespace Jconvert::detail
