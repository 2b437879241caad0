#include "fast_tables.h"
#include "jconvert.h"
#include "line_end_kinds.h"

#include <cstring>

namespace Jconvert {

int ReturnCodeCheck(std::string_view text)
{
    const std::size_t i = text.find_first_of("\r\n");
    if (i == std::string_view::npos)
        return RC_NONE;
    if (text[i] == '\n')
        return RC_LF;
    return (i + 1 < text.size() && text[i + 1] == '\n') ? RC_CRLF : RC_CR;
}

std::string StrictConvertReturnCode(std::string_view text, int source, int target)
{
    const std::string_view from = detail::LineEndSequence(source);
    const std::string_view to = detail::LineEndSequence(target);
    // An unknown kind on either side leaves the text as it is.
    if (from.empty() || to.empty() || source == target)
        return std::string(text);

    std::string out;
    detail::ReserveResult(out, to.size() > from.size() ? text.size() + text.size() / 16 : text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(text.data() + pos, hit - pos);
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.data() + pos, text.size() - pos);
    return out;
}

std::string ConvertReturnCode(std::string_view text, int target)
{
    return StrictConvertReturnCode(text, ReturnCodeCheck(text), target);
}

} // namespace Jconvert
