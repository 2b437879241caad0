// The UTF-8 check that runs before every document is decoded: ASCII goes
// eight bytes at a time, everything else through a branch-free state machine.
#include "fast_tables.h"
#include "jconvert.h"
#include "jconvert_stream.h"

#include <array>
#include <cstdint>

namespace Jconvert {

namespace {

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

// The check as a state machine whose state is a shift: a byte's row holds,
// at each state's shift, the shift of the state it leads to, so a step is a
// load and a shift with no branch (Per Vognsen's shift-based DFA). Japanese
// text alternates kanji and ASCII too often for branches to be guessed.
enum Utf8State : unsigned {
    Between = 0,    // between sequences
    Broken = 6,     // an invalid byte was seen; stays
    OneMore = 12,   // one continuation byte due
    TwoMore = 18,   // two due
    ThreeMore = 24, // three due
    AfterE0 = 30,   // A0-BF, then one more (no overlong form)
    AfterED = 36,   // 80-9F, then one more (no surrogate)
    AfterF0 = 42,   // 90-BF, then two more
    AfterF4 = 48,   // 80-8F, then two more (nothing above U+10FFFF)
};

constexpr Utf8State Next(Utf8State state, unsigned b)
{
    const bool continuation = b >= 0x80 && b <= 0xBF;
    switch (state) {
    case Between:
        if (b >= 0x01 && b <= 0x7F)
            return Between;
        if (b >= 0xC2 && b <= 0xDF)
            return OneMore;
        if (b == 0xE0)
            return AfterE0;
        if (b == 0xED)
            return AfterED;
        if (b >= 0xE1 && b <= 0xEF)
            return TwoMore;
        if (b == 0xF0)
            return AfterF0;
        if (b >= 0xF1 && b <= 0xF3)
            return ThreeMore;
        if (b == 0xF4)
            return AfterF4;
        return Broken; // NUL, a continuation byte, C0, C1, F5-FF
    case OneMore:
        return continuation ? Between : Broken;
    case TwoMore:
        return continuation ? OneMore : Broken;
    case ThreeMore:
        return continuation ? TwoMore : Broken;
    case AfterE0:
        return b >= 0xA0 && b <= 0xBF ? OneMore : Broken;
    case AfterED:
        return b >= 0x80 && b <= 0x9F ? OneMore : Broken;
    case AfterF0:
        return b >= 0x90 && b <= 0xBF ? TwoMore : Broken;
    case AfterF4:
        return b >= 0x80 && b <= 0x8F ? TwoMore : Broken;
    case Broken:
        break;
    }
    return Broken;
}

constexpr std::array<std::uint64_t, 256> MakeRows()
{
    std::array<std::uint64_t, 256> rows{};
    for (unsigned b = 0; b < 256; ++b) {
        for (const Utf8State s :
             {Between, Broken, OneMore, TwoMore, ThreeMore, AfterE0, AfterED, AfterF0, AfterF4})
            rows[b] |= std::uint64_t(Next(s, b)) << s;
    }
    return rows;
}

constexpr std::array<std::uint64_t, 256> Rows = MakeRows();

// The state after `b`; only the low six bits of a state mean anything, and
// the shift takes no others.
inline std::uint64_t Step(std::uint64_t state, unsigned char b)
{
    return Rows[b] >> (state & 63);
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
    std::uint64_t state = state_ & 63;
    bool multiByte = multiByte_;
    std::size_t i = 0;
    // Eight bytes a step: ASCII without NUL at once, the rest through the
    // machine. In a valid run any high byte belongs to a sequence of two or
    // more. A block that breaks is gone over again below, a byte at a time.
    while (state != Utf8State::Broken && i + 8 <= n) {
        const std::uint64_t w = detail::Load64(p + i);
        if (state == Between && detail::AllAscii(w)) {
            if (detail::BytesBelow(w, 1) != 0)
                break;
            i += 8;
            continue;
        }
        std::uint64_t s = state;
        for (int k = 0; k < 8; ++k)
            s = Step(s, p[i + k]);
        s &= 63;
        if (s == Utf8State::Broken)
            break;
        multiByte = true;
        state = s;
        i += 8;
    }
    for (; state != Utf8State::Broken && i < n; ++i) {
        const std::uint64_t next = Step(state, p[i]) & 63;
        multiByte = multiByte || (state == Between && next != Utf8State::Broken && next != Between);
        state = next;
    }
    state_ = state;
    multiByte_ = multiByte;
}

Utf8Verdict Utf8Detector::Finish() const
{
    return {Bom(), (state_ & 63) == Between, multiByte_};
}

bool IsUtf8Document(std::string_view text)
{
    Utf8Detector detector;
    detector.Feed(text);
    return detector.Finish().document();
}

} // namespace Jconvert
