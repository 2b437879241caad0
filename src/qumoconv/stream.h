// Code detection and conversion a piece at a time, so memory stays a few
// megabytes whatever the size of the input.
#pragma once

#include "cli.h"
#include "io.h"

#include <string>

namespace qumoconv {

// The code InCodeCheck gives for the whole input, reading only as far as it
// needs; what was read is left in `held`, or the input is rewound.
int DetectCode(Input &in, std::string &held);

// --to, --from and --eol: the input converted to standard output.
void ConvertStream(const Options &options, Input &in);

} // namespace qumoconv
