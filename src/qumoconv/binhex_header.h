// Tells a real BinHex 4.0 file (header, run-length coding, CRCs) from the
// bare 6-bit text the library decodes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qumoconv {

// The file name in the BinHex 4.0 header that `data` (decoded 6-bit text) starts with, when the
// header's CRC holds; nothing otherwise.
std::optional<std::string> BinHex4FileName(std::string_view data);

} // namespace qumoconv
