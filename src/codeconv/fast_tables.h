// Precomputed pair tables and output helpers shared by the converters. The
// tables hold exactly what ToJis/ToSjis compute; they only save the branches.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace Jconvert::detail {

using Pair = std::array<unsigned char, 2>;

// Shift_JIS lead/trail (index lead << 8 | trail) to the 7-bit JIS pair.
extern const std::array<Pair, 65536> SjisToJisTable;
// 7-bit JIS pair (index (j1 & 0x7F) << 7 | (j2 & 0x7F)) to Shift_JIS.
extern const std::array<Pair, 16384> JisToSjisTable;

inline const unsigned char *Bytes(std::string_view s)
{
    return reinterpret_cast<const unsigned char *>(s.data());
}

// True when none of the eight bytes at p has its top bit set.
inline bool EightAscii(const unsigned char *p)
{
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return (w & 0x8080808080808080ULL) == 0;
}

// A growing output buffer written through raw pointers: callers ask for room
// for the worst case of the next step, write, then commit the new end.
class ByteSink
{
public:
    explicit ByteSink(std::size_t initial) { buf_.resize(std::max<std::size_t>(initial, 16)); }

    unsigned char *Room(std::size_t extra)
    {
        if (len_ + extra > buf_.size())
            buf_.resize(std::max(buf_.size() * 2, len_ + extra));
        return reinterpret_cast<unsigned char *>(buf_.data()) + len_;
    }
    void Commit(const unsigned char *end) { len_ = static_cast<std::size_t>(end - Begin()); }
    std::string Take()
    {
        buf_.resize(len_);
        return std::move(buf_);
    }

private:
    unsigned char *Begin() { return reinterpret_cast<unsigned char *>(buf_.data()); }
    std::string buf_;
    std::size_t len_ = 0;
};

inline constexpr unsigned char ESC = 0x1B;

inline unsigned char *PutEnterKanji(unsigned char *o)
{
    o[0] = ESC;
    o[1] = '$';
    o[2] = 'B';
    return o + 3;
}

inline unsigned char *PutLeaveKanji(unsigned char *o)
{
    o[0] = ESC;
    o[1] = '(';
    o[2] = 'J';
    return o + 3;
}

// Half-width katakana at p[0] (and a following voiced/semi-voiced mark) as a
// JIS X 0208 pair; returns how many input characters were used (1 or 2).
// `markAt` is where the mark would start, `markLen` its byte length in the
// source (1 for Shift_JIS, 2 for EUC's 0x8E prefix), `end` the input's end.
int KanaToJis(unsigned char kana, const unsigned char *markAt, const unsigned char *end, bool eucForm,
              unsigned char *out);

} // namespace Jconvert::detail
