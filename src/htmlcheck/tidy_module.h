// The tidy module's one entry point, which the program resolves when a
// check first runs.
#pragma once

#include "tidy_structure.h"

// Parses `text` with tidy against `version`, filling `pass`.
using TidyParse = void (*)(QStringView text, HtmlCheck::HtmlVersion version, HtmlCheck::TidyPass &pass);
#define QUMO_TIDY_PARSE "QumoTidyParse"
