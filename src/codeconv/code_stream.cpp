#include "code_steps.h"
#include "fast_tables.h"
#include "jconvert_stream.h"

namespace Jconvert {

using namespace detail;

namespace {

// Room for the block steps' write-ahead past the last character.
constexpr std::size_t Slack = 64;

} // namespace

CodeStream::CodeStream(int source, int target) : steps_(StepsFor(source, target)) {}

std::size_t CodeStream::MaxOutput(std::size_t n) const
{
    return (steps_ ? steps_->growth : 1) * n + Slack;
}

StreamProgress CodeStream::Convert(const char *input, std::size_t n, bool last, char *output)
{
    if (!last && n <= Lookahead)
        return {0, 0};
    // Short of the last piece, every character that starts before the stop
    // is converted with all the bytes it could read in front of it.
    const std::size_t upTo = last ? n : n - Lookahead;
    if (!steps_) {
        std::memcpy(output, input, upTo);
        return {upTo, upTo};
    }
    const auto *p = reinterpret_cast<const unsigned char *>(input);
    auto *o = reinterpret_cast<unsigned char *>(output);
    const unsigned char *from = p;
    const unsigned char *const end = p + n;
    StepState state;
    state.kanji = kanji_;
    unsigned char *outEnd = steps_->step(from, p + upTo, end, o, state);
    if (last)
        outEnd = FinishOutput(*steps_, state, outEnd);
    kanji_ = state.kanji;
    if (state.fault != nullptr && fault_.error == DecodeError::None)
        fault_ = {state.error, done_ + static_cast<std::size_t>(state.fault - p)};
    done_ += static_cast<std::size_t>(from - p);
    return {static_cast<std::size_t>(from - p), static_cast<std::size_t>(outEnd - o)};
}

} // namespace Jconvert
