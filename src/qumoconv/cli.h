// The command-line converter's options, kept apart from the file handling so
// tests can drive them directly.
#pragma once

#include "code_choices.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qumoconv {

enum class Operation {
    None,
    Help,
    Version,
    Guess,
    Convert, // --to and/or --eol, optionally with --from
    Base64,
    UnBase64,
    UU,
    UnUU,
    BinHex,
    UnBinHex,
    MimeHeader,
    UnMimeHeader,
};

struct Options
{
    Operation operation = Operation::None;
    std::optional<Jconvert::CharCode> from;
    std::optional<Jconvert::CharCode> to;
    std::optional<Jconvert::ReturnCode> eol;
    bool wrap = false;     // Base64 in lines of 76
    bool lf = false;       // encoders break lines with LF, not CR LF
    bool replace = false;  // the geta mark for what cannot be converted, instead of a refusal
    std::string inputPath; // empty or "-" for standard input
};

// What the command reports in one line on standard error, and its exit status.
struct Failure
{
    int status;
    std::string message;
};

// Either the options or a one-line message saying what is wrong.
std::variant<Options, std::string> ParseArguments(const std::vector<std::string> &args);

// The text --help prints.
std::string UsageText();

// "5 SJIS" style name of a character-code identifier.
std::string CodeName(int code);

// "0x8D" style name of a byte in messages.
std::string ByteName(unsigned char byte);

// The refusal of a code conversion from `from` to `to` (JC_* identifiers) that would have to put the geta
// mark in place of the character at fault.offset, whose first byte is `byte`.
Failure CodeRefusal(const std::string &name, Jconvert::DecodeResult fault, unsigned char byte, int from,
                    int to);

} // namespace qumoconv
