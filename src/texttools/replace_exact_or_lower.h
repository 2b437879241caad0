// ReplaceExactOrLower: replaces a pattern as written and in its lower-case
// form, left to right, never searching inside inserted text.
#pragma once

#include <QString>

namespace TextTools {

// `source` with every occurrence of `pattern` or of its A-Z-lowered form
// replaced by `replacement`; an empty pattern changes nothing.
QString ReplaceExactOrLower(const QString &source, const QString &pattern, const QString &replacement);

} // namespace TextTools
