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

std::string WholeText(std::string_view text, const CodeSteps &steps)
{
    const unsigned char *const end = Bytes(text) + text.size();
    bool kanji = false;
    return InPieces(text, steps.growth, text.size() / 8 * steps.eighths + 8,
                    [&](const unsigned char *&p, const unsigned char *stop, unsigned char *o) {
                        return steps.step(p, stop, end, o, kanji);
                    });
}

} // namespace detail

std::string StrictConvertJCode(std::string_view text, int source, int target)
{
    const detail::CodeSteps *steps = detail::StepsFor(source, target);
    return steps ? detail::WholeText(text, *steps) : std::string(text);
}

std::string ConvertJCode(std::string_view text, int target)
{
    return StrictConvertJCode(text, InCodeCheck(text), target);
}

} // namespace Jconvert
