#include "whole_input.h"

#include "jconvert.h"

#include <cstdio>

namespace qumoconv {

using namespace Jconvert;

namespace {

using CheckedDecoder = DecodeResult (*)(std::string_view, std::string &);

// The data, or a Failure saying where the input stops being `encoding`.
std::string Decode(CheckedDecoder decode, std::string_view input, const std::string &name,
                   const std::string &encoding)
{
    std::string out;
    const DecodeResult r = decode(input, out);
    const std::string at = " at offset " + std::to_string(r.offset);
    const std::string lead = name + ": not " + encoding + ": ";
    switch (r.error) {
    case DecodeError::None:
        return out;
    case DecodeError::BadCharacter: {
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(input[r.offset]));
        throw Failure{1, lead + "byte " + byte + at + " is outside its alphabet"};
    }
    case DecodeError::CutShort:
        throw Failure{1, lead + "data cut short" + at};
    case DecodeError::MissingStart:
        throw Failure{1, lead + "no line starts the data after offset " + std::to_string(r.offset)};
    case DecodeError::MissingEnd:
        break;
    }
    throw Failure{1, lead + "the end is missing" + at};
}

} // namespace

std::string RunWhole(const Options &o, std::string_view input, const std::string &name)
{
    const std::string_view lineBreak = o.lf ? "\n" : "\r\n";
    switch (o.operation) {
    case Operation::Base64:
        return o.wrap ? EncodeBase64R(input, lineBreak) : EncodeBase64(input);
    case Operation::UnBase64:
        return Decode(DecodeBase64Checked, input, name, "Base64");
    case Operation::UU:
        return EncodeUU(input, lineBreak);
    case Operation::UnUU:
        return Decode(DecodeUUFile, input, name, "uuencoded");
    case Operation::BinHex:
        return EncodeBinHex(input, lineBreak);
    case Operation::UnBinHex:
        return Decode(DecodeBinHexFile, input, name, "BinHex");
    case Operation::MimeHeader:
        return CreateHeaderString(input);
    case Operation::UnMimeHeader:
        return DecodeHeaderString(input);
    default:
        break;
    }
    return {};
}

} // namespace qumoconv
