// The UTF-8 check that runs before every document is decoded: most files are
// ASCII runs between short sequences, so the runs go eight bytes at a time,
// the three-byte sequences of kana and kanji are checked first, and a
// sequence that lies whole in the piece is checked in one step.
#include "fast_tables.h"
#include "jconvert.h"
#include "jconvert_stream.h"

#include <cstdint>

namespace Jconvert {

namespace {

// Eight bytes below 0x80, none of them NUL.
bool EightAscii(const unsigned char *p)
{
    const std::uint64_t w = detail::Load64(p);
    return detail::AllAscii(w) && detail::BytesBelow(w, 1) == 0;
}

// What a lead byte starts: the continuation bytes it needs and the range of
// the first of them (the rest are 0x80-0xBF). Ranges narrower than that rule
// out overlong forms (E0, F0), surrogates (ED) and code points above
// U+10FFFF (F4). need < 0: the byte starts nothing.
struct Lead
{
    int need;
    unsigned char low, high;
};

constexpr Lead LeadOf(unsigned char b)
{
    if (b >= 0xC2 && b <= 0xDF)
        return {1, 0x80, 0xBF};
    if (b == 0xE0)
        return {2, 0xA0, 0xBF};
    if (b == 0xED)
        return {2, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF)
        return {2, 0x80, 0xBF};
    if (b == 0xF0)
        return {3, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3)
        return {3, 0x80, 0xBF};
    if (b == 0xF4)
        return {3, 0x80, 0x8F};
    return {-1, 0, 0};
}

bool IsContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

} // namespace

std::size_t Utf8SequenceLength(std::string_view text)
{
    const unsigned char *p = detail::Bytes(text);
    if (text.empty() || p[0] == 0)
        return 0;
    if (p[0] < 0x80)
        return 1;
    const Lead lead = LeadOf(p[0]);
    if (lead.need < 0 || text.size() < 1 + std::size_t(lead.need) || p[1] < lead.low || p[1] > lead.high)
        return 0;
    for (int k = 2; k <= lead.need; ++k) {
        if (!IsContinuation(p[k]))
            return 0;
    }
    return 1 + std::size_t(lead.need);
}

void Utf8Detector::Feed(std::string_view piece)
{
    const unsigned char *p = detail::Bytes(piece);
    const std::size_t n = piece.size();
    for (std::size_t k = 0; bomBytes_ >= 0 && bomBytes_ < 3 && seen_ + k < 3 && k < n; ++k)
        bomBytes_ = p[k] == static_cast<unsigned char>(UTF8_BOM[bomBytes_]) ? bomBytes_ + 1 : -1;
    seen_ += n;
    std::size_t i = 0;
    int need = need_;
    while (valid_ && i < n) {
        if (need > 0) {
            const unsigned char b = p[i++];
            if (b < low_ || b > high_) {
                valid_ = false;
                break;
            }
            low_ = 0x80;
            high_ = 0xBF;
            --need;
            continue;
        }
        const unsigned char b = p[i];
        // Kana and kanji: three bytes, lead E1-EC or EE-EF, first continuation unrestricted.
        if (i + 3 <= n && ((b >= 0xE1 && b <= 0xEC) || b >= 0xEE) && b <= 0xEF && IsContinuation(p[i + 1]) &&
            IsContinuation(p[i + 2])) {
            multiByte_ = true;
            i += 3;
            continue;
        }
        if (b < 0x80 && i + 8 <= n && EightAscii(p + i)) {
            i += 8;
            continue;
        }
        if (b < 0x80) {
            valid_ = b != 0;
            ++i;
            continue;
        }
        const Lead lead = LeadOf(b);
        if (lead.need < 0) {
            valid_ = false;
            break;
        }
        multiByte_ = true;
        if (i + 1 + std::size_t(lead.need) <= n) {
            // The whole sequence is here.
            valid_ = Utf8SequenceLength(piece.substr(i)) != 0;
            i += 1 + std::size_t(lead.need);
            continue;
        }
        need = lead.need;
        low_ = lead.low;
        high_ = lead.high;
        ++i;
    }
    need_ = need;
}

Utf8Verdict Utf8Detector::Finish() const
{
    return {Bom(), valid_ && need_ == 0, multiByte_};
}

bool IsUtf8Document(std::string_view text)
{
    Utf8Detector detector;
    detector.Feed(text);
    return detector.Finish().document();
}

} // namespace Jconvert
