#include "jconvert.h"

namespace Jconvert {

std::string StrictConvertJCode(std::string_view text, int source, int target)
{
    if (source < JC_JIS_NEW || source == target || source == JC_EUC_OR_SJIS)
        return std::string(text);
    const bool fromJis = source == JC_JIS_NEW || source == JC_JIS_OLD;
    switch (target) {
    case JC_JIS_NEW:
        if (source == JC_EUC)
            return euc2jis83(text);
        if (source == JC_SJIS)
            return sjis2jis83(text);
        break;
    case JC_EUC:
        if (fromJis)
            return jis2euc(text);
        if (source == JC_SJIS)
            return sjis2euc(text);
        break;
    case JC_SJIS:
        if (fromJis)
            return jis2sjis(text);
        if (source == JC_EUC)
            return euc2sjis(text);
        break;
    default:
        break;
    }
    return std::string(text);
}

std::string ConvertJCode(std::string_view text, int target)
{
    return StrictConvertJCode(text, InCodeCheck(text), target);
}

} // namespace Jconvert
