// The piece-by-piece form of the six code converters, shared by the
// whole-text functions and the streaming converter. A step converts from p up
// to stop, or a few bytes past it to finish a character begun before stop,
// reading no further than end; its state carries the JIS two-byte mode from
// one piece to the next and notes the first character it replaced. It returns
// the end of its output.
#pragma once

#include "jconvert.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace Jconvert::detail {

struct StepState
{
    bool kanji = false; // JIS two-byte mode: of the output for the JIS writers, of the input for the readers
    const unsigned char *fault =
        nullptr; // the first character replaced with the geta mark, once there is one
    DecodeError error = DecodeError::None;

    void Replaced(const unsigned char *at, DecodeError why)
    {
        if (fault == nullptr) {
            fault = at;
            error = why;
        }
    }
};

using CodeStep = unsigned char *(*)(const unsigned char *&p, const unsigned char *stop,
                                    const unsigned char *end, unsigned char *o, StepState &state);

struct CodeSteps
{
    CodeStep step;
    std::size_t growth; // output bytes per input byte, at most
    unsigned eighths;   // usual output size in eighths of the input, to reserve
    bool writesJis;     // the output returns to ASCII at its end
};

// Ends JIS output that is in two-byte mode; returns the end of the output.
unsigned char *FinishOutput(const CodeSteps &steps, StepState &state, unsigned char *o);

extern const CodeSteps SjisToJis;
extern const CodeSteps EucToJis;
extern const CodeSteps JisToSjis;
extern const CodeSteps JisToEuc;
extern const CodeSteps SjisToEuc;
extern const CodeSteps EucToSjis;

// The steps StrictConvertJCode takes from source to target; null where it leaves the text unchanged.
const CodeSteps *StepsFor(int source, int target);

// The whole text through one converter's steps, appended to out; the first character replaced.
DecodeResult WholeText(std::string_view text, const CodeSteps &steps, std::string &out);
// The whole text through one converter's steps.
std::string WholeText(std::string_view text, const CodeSteps &steps);

} // namespace Jconvert::detail
