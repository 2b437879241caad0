#include "cli.h"

#include "jconvert.h"

namespace qumoconv {

using namespace Jconvert;

namespace {

// The codes a text can be converted to, or from: a detection result such as
// "binary" or "undecided" names no code to convert from, and there is no
// conversion into the ESC $ @ form.
struct CodeWord
{
    std::string_view word;
    CharCode code;
    bool target;
};

constexpr CodeWord CodeWords[] = {
    {"sjis", CharCode::Sjis, true}, {"jis", CharCode::Jis, true}, {"jis-old", CharCode::JisOld, false},
    {"euc", CharCode::Euc, true},   {"5", CharCode::Sjis, true},  {"2", CharCode::Jis, true},
    {"3", CharCode::JisOld, false}, {"4", CharCode::Euc, true},   {"utf8", CharCode::Utf8, true},
    {"7", CharCode::Utf8, true},
};

std::optional<CharCode> ParseCode(std::string_view s, bool target)
{
    for (const CodeWord &w : CodeWords) {
        if (w.word == s && (w.target || !target))
            return w.code;
    }
    return std::nullopt;
}

std::optional<ReturnCode> ParseEol(std::string_view s)
{
    if (s == "crlf")
        return ReturnCode::CrLf;
    if (s == "cr")
        return ReturnCode::Cr;
    if (s == "lf")
        return ReturnCode::Lf;
    return std::nullopt;
}

struct Flag
{
    std::string_view name;
    Operation operation;
};

constexpr Flag Flags[] = {
    {"--help", Operation::Help},
    {"--version", Operation::Version},
    {"--guess", Operation::Guess},
    {"--base64", Operation::Base64},
    {"--unbase64", Operation::UnBase64},
    {"--uu", Operation::UU},
    {"--unuu", Operation::UnUU},
    {"--binhex", Operation::BinHex},
    {"--unbinhex", Operation::UnBinHex},
    {"--mime-header", Operation::MimeHeader},
    {"--unmime-header", Operation::UnMimeHeader},
};

} // namespace

std::string CodeName(int code)
{
    static constexpr const char *Names[] = {"ASCII", "BINARY", "JIS_NEW",     "JIS_OLD",
                                            "EUC",   "SJIS",   "EUC_OR_SJIS", "UTF8"};
    const std::string name = code >= 0 && code <= 7 ? Names[code] : "UNKNOWN";
    return std::to_string(code) + " " + name;
}

std::variant<Options, std::string> ParseArguments(const std::vector<std::string> &args)
{
    Options o;
    bool haveInput = false;
    auto setOperation = [&](Operation op, std::string_view flag) -> std::optional<std::string> {
        if (o.operation != Operation::None && o.operation != op)
            return "option " + std::string(flag) + " cannot be combined with another operation";
        o.operation = op;
        return std::nullopt;
    };
    // A value given again must be the same.
    auto setValue = []<typename T>(std::optional<T> &slot, T value,
                                   const std::string &flag) -> std::optional<std::string> {
        if (slot && *slot != value)
            return "option " + flag + " given twice with different values";
        slot = value;
        return std::nullopt;
    };

    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (!optionsEnd && a == "--") {
            optionsEnd = true;
            continue;
        }
        const bool isOption = !optionsEnd && a.size() > 1 && a[0] == '-';
        if (!isOption) {
            if (a.empty())
                return std::string("empty file name");
            if (haveInput)
                return std::string("only one input file may be given");
            o.inputPath = a;
            haveInput = true;
            continue;
        }
        const Flag *flag = nullptr;
        for (const Flag &f : Flags) {
            if (a == f.name)
                flag = &f;
        }
        if (flag) {
            if (auto err = setOperation(flag->operation, a))
                return *err;
        } else if (a == "--to" || a == "--from" || a == "--eol") {
            if (i + 1 >= args.size())
                return "option " + a + " needs a value";
            const std::string &v = args[++i];
            if (auto err = setOperation(Operation::Convert, a))
                return *err;
            std::optional<std::string> err;
            if (a == "--eol") {
                const std::optional<ReturnCode> value = ParseEol(v);
                if (!value)
                    return "unknown line end '" + v + "' (use crlf, cr or lf)";
                err = setValue(o.eol, *value, a);
            } else if (a == "--to") {
                const std::optional<CharCode> value = ParseCode(v, true);
                if (!value)
                    return "cannot convert to '" + v + "' (use sjis, jis, euc or utf8, or 5, 2, 4 or 7)";
                err = setValue(o.to, *value, a);
            } else {
                const std::optional<CharCode> value = ParseCode(v, false);
                if (!value)
                    return "cannot convert from '" + v +
                           "' (use sjis, jis, jis-old, euc or utf8, or 5, 2, 3, 4 or 7)";
                err = setValue(o.from, *value, a);
            }
            if (err)
                return *err;
        } else if (a == "--wrap") {
            o.wrap = true;
        } else if (a == "--lf") {
            o.lf = true;
        } else if (a == "--replace") {
            o.replace = true;
        } else {
            return "unknown option '" + a + "' (try --help)";
        }
    }

    if (o.operation == Operation::None)
        return std::string("no operation given (try --help)");
    if (o.from && !o.to)
        return std::string("--from needs --to");
    if (o.wrap && o.operation != Operation::Base64)
        return std::string("--wrap applies to --base64 only");
    const bool breaksLines = (o.operation == Operation::Base64 && o.wrap) || o.operation == Operation::UU ||
                             o.operation == Operation::BinHex;
    if (o.replace && !o.to)
        return std::string("--replace applies to --to only");
    if (o.lf && !breaksLines)
        return std::string("--lf applies to --base64 --wrap, --uu and --binhex only");
    return o;
}

std::string ByteName(unsigned char byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

Failure CodeRefusal(const std::string &name, DecodeResult fault, unsigned char byte, int from, int to)
{
    const auto codeName = [](int code) -> std::string {
        switch (code) {
        case JC_SJIS:
            return "Shift_JIS";
        case JC_EUC:
            return "EUC-JP";
        case JC_UTF8:
            return "UTF-8";
        default:
            return "ISO-2022-JP";
        }
    };
    const std::string at = " at offset " + std::to_string(fault.offset);
    std::string what;
    if (fault.error == DecodeError::Unmappable)
        what = "the character" + at + " has no " + codeName(to) + " form";
    else
        what = "byte " + ByteName(byte) + at + " is not " + codeName(from);
    if (fault.error == DecodeError::CutShort)
        what += ": the input ends inside its character";
    return Failure{1,
                   name + ": " + what + "; nothing converted (--replace writes the geta mark \u3013 for it)"};
}

std::string UsageText()
{
    return "Usage: qumoconv OPERATION [OPTIONS] [--] [FILE]\n"
           "Converts Japanese text between Shift_JIS, JIS, EUC-JP and UTF-8, rewrites line ends,\n"
           "and encodes or decodes transfer encodings. Reads FILE (or standard input when\n"
           "FILE is missing or '-') and writes standard output; '--' ends the options.\n"
           "\n"
           "Operations:\n"
           "  --guess              print the detected code, e.g. '5 SJIS': 0 ASCII, 1 BINARY,\n"
           "                       2 JIS_NEW, 3 JIS_OLD, 4 EUC, 5 SJIS, 6 EUC_OR_SJIS, or\n"
           "                       7 UTF8 for text that starts with the UTF-8 byte-order mark\n"
           "                       or is valid UTF-8 (no NUL) with a multi-byte character\n"
           "  --to CODE            convert from the detected code to CODE: sjis, jis, euc or\n"
           "                       utf8 (or 5, 2, 4, 7); text that is binary, or could be\n"
           "                       either EUC-JP or Shift_JIS, is refused: give --from\n"
           "  --from CODE --to CODE\n"
           "                       convert from a given code: sjis, jis, jis-old, euc or\n"
           "                       utf8 (or 5, 2, 3, 4, 7)\n"
           "  --eol crlf|cr|lf     turn every line end (CR LF, CR, LF) into the one given,\n"
           "                       after --to when both are given\n"
           "  --replace            with --to: write the geta mark \u3013 in place of what cannot\n"
           "                       be converted (a broken or cut-off character, a JIS X 0212\n"
           "                       character of EUC-JP, one the target code lacks) instead of\n"
           "                       refusing the input\n"
           "  --base64 [--wrap]    Base64, with --wrap in lines of 76 characters\n"
           "  --unbase64           decode Base64\n"
           "  --uu, --unuu         uuencode body lines; decode a uuencoded file (the lines\n"
           "                       between 'begin' and 'end', or a bare body)\n"
           "  --binhex, --unbinhex BinHex 6-bit text between colons; decode it (after the\n"
           "                       '(This file must be converted with BinHex' line, if any);\n"
           "                       a BinHex 4.0 file with its header and CRCs is refused\n"
           "  --mime-header        UTF-8 or Shift_JIS header text to ISO-2022-JP encoded\n"
           "                       words (half-width katakana in full width)\n"
           "  --unmime-header      encoded words back to JIS text\n"
           "  --help, --version\n"
           "\n"
           "Options:\n"
           "  --lf                 encoders break lines with LF instead of CR LF\n"
           "\n"
           "Code conversion streams: it reads and writes a piece at a time and holds only\n"
           "the stretch that detection has not yet decided. Unless --replace is given it\n"
           "reads the input through once before writing anything (from a pipe, it holds all\n"
           "of it). Telling UTF-8 apart reads to the end of valid UTF-8, and conversions to\n"
           "or from UTF-8 take the whole input at once; they go through Shift_JIS with the\n"
           "system's CP932 tables, as the editor does. JIS output ends in ASCII (ESC ( B).\n"
           "\n"
           "Exit status: 0 on success; 1 when nothing was converted (binary or undecided\n"
           "text, input not in the encoding to decode or the code to convert from, a\n"
           "character the target code lacks, naming the first bad offset) or the output\n"
           "cannot be written; 2 for a bad option or an unreadable file.\n";
}

} // namespace qumoconv
