// A generated Japanese text for the benchmarks: hiragana, katakana, kanji,
// punctuation and ASCII words in lines ending with CR LF, in Shift_JIS.
#pragma once

#include <cstddef>
#include <string>

std::string MakeSjisSample(std::size_t bytes, unsigned seed = 1);
