// The operations that work on the whole input at once: the transfer
// encodings and the MIME header words.
#pragma once

#include "cli.h"

#include <string>
#include <string_view>

namespace qumoconv {

// The output for one input; throws a Failure naming the first bad offset of
// input a decoder cannot read.
std::string RunWhole(const Options &options, std::string_view input, const std::string &name);

} // namespace qumoconv
