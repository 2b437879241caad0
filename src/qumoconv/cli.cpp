#include "cli.h"

#include "jconvert.h"

#include <charconv>

namespace qumoconv {

using namespace Jconvert;

namespace {

std::optional<int> ParseCode(std::string_view s)
{
    if (s == "sjis")
        return JC_SJIS;
    if (s == "jis")
        return JC_JIS_NEW;
    if (s == "jis-old")
        return JC_JIS_OLD;
    if (s == "euc")
        return JC_EUC;
    int v = -1;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec == std::errc() && end == s.data() + s.size() && v >= JC_ASCII && v <= JC_EUC_OR_SJIS)
        return v;
    return std::nullopt;
}

std::optional<int> ParseEol(std::string_view s)
{
    if (s == "crlf")
        return RC_CRLF;
    if (s == "cr")
        return RC_CR;
    if (s == "lf")
        return RC_LF;
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
    static constexpr const char *Names[] = {"ASCII", "BINARY", "JIS_NEW",    "JIS_OLD",
                                            "EUC",   "SJIS",   "EUC_OR_SJIS"};
    const std::string name = code >= 0 && code <= 6 ? Names[code] : "UNKNOWN";
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

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        bool matched = false;
        for (const Flag &f : Flags) {
            if (a == f.name) {
                if (auto err = setOperation(f.operation, a))
                    return *err;
                matched = true;
            }
        }
        if (matched)
            continue;
        if (a == "--to" || a == "--from" || a == "--eol") {
            if (i + 1 >= args.size())
                return "option " + a + " needs a value";
            const std::string &v = args[++i];
            if (auto err = setOperation(Operation::Convert, a))
                return *err;
            if (a == "--eol") {
                o.eol = ParseEol(v);
                if (!o.eol)
                    return "unknown line end '" + v + "' (use crlf, cr or lf)";
            } else {
                const auto code = ParseCode(v);
                if (!code)
                    return "unknown code '" + v + "' (use sjis, jis, jis-old, euc or 0 to 6)";
                (a == "--to" ? o.to : o.from) = code;
            }
        } else if (a == "--wrap") {
            o.wrap = true;
        } else if (a == "--lf") {
            o.lf = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option '" + a + "' (try --help)";
        } else {
            if (haveInput)
                return "only one input file may be given";
            o.inputPath = a;
            haveInput = true;
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
    if (o.lf && !breaksLines)
        return std::string("--lf applies to --base64 --wrap, --uu and --binhex only");
    return o;
}

std::string Run(const Options &o, std::string_view input)
{
    const std::string_view lineBreak = o.lf ? "\n" : "\r\n";
    switch (o.operation) {
    case Operation::Guess:
        return CodeName(InCodeCheck(input)) + "\n";
    case Operation::Convert: {
        std::string text;
        if (o.to)
            text = o.from ? StrictConvertJCode(input, *o.from, *o.to) : ConvertJCode(input, *o.to);
        else
            text = std::string(input);
        return o.eol ? ConvertReturnCode(text, *o.eol) : text;
    }
    case Operation::Base64:
        return o.wrap ? EncodeBase64R(input, lineBreak) : EncodeBase64(input);
    case Operation::UnBase64:
        return DecodeBase64(input);
    case Operation::UU:
        return EncodeUU(input, lineBreak);
    case Operation::UnUU:
        return DecodeUU(input);
    case Operation::BinHex:
        return EncodeBinHex(input, lineBreak);
    case Operation::UnBinHex:
        return DecodeBinHex(input);
    case Operation::MimeHeader:
        return CreateHeaderString(input);
    case Operation::UnMimeHeader:
        return DecodeHeaderString(input);
    case Operation::None:
    case Operation::Help:
    case Operation::Version:
        break;
    }
    return {};
}

std::string UsageText()
{
    return "Usage: qumoconv OPERATION [OPTIONS] [FILE]\n"
           "Converts Japanese text between Shift_JIS, JIS and EUC-JP, rewrites line ends,\n"
           "and encodes or decodes transfer encodings. Reads FILE (or standard input when\n"
           "FILE is missing or '-') and writes standard output.\n"
           "\n"
           "Operations:\n"
           "  --guess              print the detected code, e.g. '5 SJIS'\n"
           "  --to CODE            convert from the detected code to CODE (sjis, jis, euc)\n"
           "  --from CODE --to CODE\n"
           "                       convert from a given code; CODE is sjis, jis, jis-old,\n"
           "                       euc or an identifier 0 to 6\n"
           "  --eol crlf|cr|lf     rewrite line ends (after --to when both are given)\n"
           "  --base64 [--wrap]    Base64, with --wrap in lines of 76 characters\n"
           "  --unbase64           decode Base64\n"
           "  --uu, --unuu         uuencode body lines, and back\n"
           "  --binhex, --unbinhex BinHex 6-bit text between colons, and back\n"
           "  --mime-header        Shift_JIS header text to ISO-2022-JP encoded words\n"
           "  --unmime-header      encoded words back to JIS text\n"
           "  --help, --version\n"
           "\n"
           "Options:\n"
           "  --lf                 encoders break lines with LF instead of CR LF\n"
           "\n"
           "Exit status: 0 on success, 2 for a bad option or an unreadable file,\n"
           "1 when the output cannot be written.\n";
}

} // namespace qumoconv
