#include "code_chars.h"
#include "code_steps.h"
#include "fast_tables.h"
#include "jconvert.h"

namespace Jconvert {

namespace detail {

const CodeSteps *StepsFor(int source, int target)
{
    if (source < JC_JIS_NEW || source == target || source == JC_EUC_OR_SJIS)
        return nullptr;
    const bool fromJis = source == JC_JIS_NEW || source == JC_JIS_OLD;
    switch (target) {
    case JC_JIS_NEW:
        if (source == JC_EUC)
            return &EucToJis;
        if (source == JC_SJIS)
            return &SjisToJis;
        break;
    case JC_EUC:
        if (fromJis)
            return &JisToEuc;
        if (source == JC_SJIS)
            return &SjisToEuc;
        break;
    case JC_SJIS:
        if (fromJis)
            return &JisToSjis;
        if (source == JC_EUC)
            return &EucToSjis;
        break;
    default:
        break;
    }
    return nullptr;
}

unsigned char *FinishOutput(const CodeSteps &steps, StepState &state, unsigned char *o)
{
    if (steps.writesJis && state.kanji) {
        o = PutLeaveKanji(o);
        state.kanji = false;
    }
    return o;
}

DecodeResult WholeText(std::string_view text, const CodeSteps &steps, std::string &out)
{
    const unsigned char *const begin = Bytes(text);
    const unsigned char *const end = begin + text.size();
    StepState state;
    std::string converted =
        InPieces(text, steps.growth, text.size() / 8 * steps.eighths + 8,
                 [&](const unsigned char *&p, const unsigned char *stop, unsigned char *o) {
                     o = steps.step(p, stop, end, o, state);
                     return p == end ? FinishOutput(steps, state, o) : o;
                 });
    if (out.empty())
        out = std::move(converted);
    else
        out += converted;
    if (state.fault == nullptr)
        return {DecodeError::None, 0};
    return {state.error, static_cast<std::size_t>(state.fault - begin)};
}

std::string WholeText(std::string_view text, const CodeSteps &steps)
{
    std::string out;
    WholeText(text, steps, out);
    return out;
}

} // namespace detail

DecodeResult StrictConvertJCodeChecked(std::string_view text, int source, int target, std::string &out)
{
    const detail::CodeSteps *steps = detail::StepsFor(source, target);
    if (steps)
        return detail::WholeText(text, *steps, out);
    out.append(text);
    return {DecodeError::None, 0};
}

std::string StrictConvertJCode(std::string_view text, int source, int target)
{
    const detail::CodeSteps *steps = detail::StepsFor(source, target);
    return steps ? detail::WholeText(text, *steps) : std::string(text);
}

std::string ConvertJCode(std::string_view text, int target)
{
    return StrictConvertJCode(text, InCodeCheck(text), target);
}

std::size_t SjisCharacterLength(std::string_view text)
{
    return text.empty() ? 0
                        : detail::SjisCharAt(detail::Bytes(text), detail::Bytes(text) + text.size()).length;
}

} // namespace Jconvert
