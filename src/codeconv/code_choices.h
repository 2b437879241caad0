// The character codes and line ends a user picks (a document's save options,
// the converter's command line), each mapped once to the library's constants.
#pragma once

#include "jconvert.h"
#include "line_end_kinds.h"

#include <string_view>

namespace Jconvert {

// A character code text can be converted to (all but JisOld) or from.
enum class CharCode { Sjis, Jis, JisOld, Euc, Utf8 };

// A line end text can be rewritten to.
enum class ReturnCode { CrLf, Cr, Lf };

// The JC_* identifier of a character code.
constexpr int JcValue(CharCode code)
{
    switch (code) {
    case CharCode::Sjis:
        return JC_SJIS;
    case CharCode::Jis:
        return JC_JIS_NEW;
    case CharCode::JisOld:
        return JC_JIS_OLD;
    case CharCode::Euc:
        return JC_EUC;
    case CharCode::Utf8:
        return JC_UTF8;
    }
    return JC_ASCII;
}

// The RC_* identifier of a line end.
constexpr int RcValue(ReturnCode eol)
{
    switch (eol) {
    case ReturnCode::CrLf:
        return RC_CRLF;
    case ReturnCode::Cr:
        return RC_CR;
    case ReturnCode::Lf:
        return RC_LF;
    }
    return RC_NONE;
}

// The bytes of a line end.
inline std::string_view LineEndBytes(ReturnCode eol)
{
    return detail::LineEndSequence(RcValue(eol));
}

} // namespace Jconvert
