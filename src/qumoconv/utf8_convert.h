// Conversions to and from UTF-8 on the whole input: glibc's CP932 tables,
// which the editor decodes with too, between UTF-8 and Shift_JIS, and the
// library's converters between Shift_JIS and JIS or EUC-JP.
#pragma once

#include <string>
#include <string_view>

namespace qumoconv {

// `input` in code `from` converted to `to` (JC_* identifiers, one of them
// JC_UTF8); a leading byte-order mark is dropped when leaving UTF-8. Throws a
// Failure naming the offset of the first character that cannot be converted,
// or with `replace` puts the geta mark in its place.
std::string ConvertUtf8(std::string_view input, int from, int to, const std::string &name, bool replace);

} // namespace qumoconv
