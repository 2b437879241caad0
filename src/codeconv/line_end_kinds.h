// The byte sequence of each line-end kind.
#pragma once

#include "jconvert.h"

#include <string_view>

namespace Jconvert::detail {

// CR LF, CR or LF; empty for a kind outside 1-3.
inline std::string_view LineEndSequence(int kind)
{
    switch (kind) {
    case RC_CRLF:
        return "\r\n";
    case RC_CR:
        return "\r";
    case RC_LF:
        return "\n";
    default:
        return {};
    }
}

} // namespace Jconvert::detail
