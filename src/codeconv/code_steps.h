// The piece-by-piece form of the six code converters, shared by the
// whole-text functions and the streaming converter. A step converts from p up
// to stop, or a few bytes past it to finish a character begun before stop,
// reading no further than end; `kanji` is the JIS two-byte mode, carried from
// one piece to the next. It returns the end of its output.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Jconvert::detail {

using CodeStep = unsigned char *(*)(const unsigned char *&p, const unsigned char *stop,
                                    const unsigned char *end, unsigned char *o, bool &kanji);

struct CodeSteps
{
    CodeStep step;
    std::size_t growth; // output bytes per input byte, at most
    unsigned eighths;   // usual output size in eighths of the input, to reserve
};

extern const CodeSteps SjisToJis;
extern const CodeSteps EucToJis;
extern const CodeSteps JisToSjis;
extern const CodeSteps JisToEuc;
extern const CodeSteps SjisToEuc;
extern const CodeSteps EucToSjis;

// The steps StrictConvertJCode takes from source to target; null where it leaves the text unchanged.
const CodeSteps *StepsFor(int source, int target);

// The whole text through one converter's steps.
std::string WholeText(std::string_view text, const CodeSteps &steps);

} // namespace Jconvert::detail
