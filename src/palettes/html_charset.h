// The name HTML gives a character code in <meta charset>.
#pragma once

#include "code_choices.h"

#include <QString>

namespace Palettes {

// "Shift_JIS", "ISO-2022-JP", "EUC-JP" or "UTF-8", as the IANA registry and
// browsers spell them.
QString HtmlCharsetName(Jconvert::CharCode code);

} // namespace Palettes
