// Splitting bytes into 6-bit groups, shared by the transfer encoders.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Jconvert::detail {

// The four 6-bit values of the three bytes at p (missing bytes read as 0).
inline void SixBitGroup(const unsigned char *p, std::size_t avail, unsigned char v[4])
{
    const unsigned b0 = p[0];
    const unsigned b1 = avail > 1 ? p[1] : 0;
    const unsigned b2 = avail > 2 ? p[2] : 0;
    const unsigned w = (b0 << 16) | (b1 << 8) | b2;
    v[0] = (w >> 18) & 63;
    v[1] = (w >> 12) & 63;
    v[2] = (w >> 6) & 63;
    v[3] = w & 63;
}

} // namespace Jconvert::detail
