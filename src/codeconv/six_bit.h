// Splitting bytes into 6-bit groups and joining them again, shared by the
// transfer encodings.
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

// Joins 6-bit values four at a time into three bytes.
class SixBitJoiner
{
public:
    void Add(unsigned value, std::string &out)
    {
        w_ = (w_ << 6) | value;
        if (++k_ == 4) {
            out += static_cast<char>(w_ >> 16);
            out += static_cast<char>(w_ >> 8);
            out += static_cast<char>(w_);
            w_ = 0;
            k_ = 0;
        }
    }
    // Values waiting for the rest of their group (0-3).
    int Waiting() const { return k_; }
    // A group cut short keeps the whole bytes its values hold.
    void Finish(std::string &out)
    {
        if (k_ >= 2) {
            const unsigned w = w_ << (6 * (4 - k_));
            for (int b = 0; b < k_ - 1; ++b)
                out += static_cast<char>(w >> (16 - 8 * b));
        }
        w_ = 0;
        k_ = 0;
    }

private:
    unsigned w_ = 0;
    int k_ = 0;
};

// Line breaks and spaces, which the checking decoders pass over.
inline bool IsBlank(unsigned char c)
{
    return c == '\r' || c == '\n' || c == ' ' || c == '\t';
}

// Where the line that starts at pos ends (its CR or LF, or the text's end).
inline std::size_t LineEnd(std::string_view text, std::size_t pos)
{
    const std::size_t e = text.find_first_of("\r\n", pos);
    return e == std::string_view::npos ? text.size() : e;
}

// Where the next line starts after the line end at pos (CR LF counts once).
inline std::size_t NextLine(std::string_view text, std::size_t pos)
{
    if (pos < text.size() && text[pos] == '\r')
        ++pos;
    if (pos < text.size() && text[pos] == '\n')
        ++pos;
    return pos;
}

} // namespace Jconvert::detail
