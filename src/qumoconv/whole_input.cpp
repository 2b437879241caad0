#include "whole_input.h"

#include "binhex_header.h"
#include "jconvert.h"
#include "utf8_convert.h"

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
    case DecodeError::Unmappable: // given by code conversions only
    case DecodeError::BadCharacter:
        throw Failure{1, lead + "byte " + ByteName(static_cast<unsigned char>(input[r.offset])) + at +
                             " is outside its alphabet"};
    case DecodeError::CutShort:
        throw Failure{1, lead + "data cut short" + at};
    case DecodeError::MissingStart:
        throw Failure{1, lead + "no line starts the data after offset " + std::to_string(r.offset)};
    case DecodeError::MissingEnd:
        break;
    }
    throw Failure{1, lead + "the end is missing" + at};
}

std::string UnBinHex(std::string_view input, const std::string &name)
{
    std::string data = Decode(DecodeBinHexFile, input, name, "BinHex");
    if (const auto file = BinHex4FileName(data))
        throw Failure{1, name + ": a BinHex 4.0 file of \"" + *file +
                             "\" (header, run-length coding, CRCs); only bare 6-bit BinHex text is decoded"};
    return data;
}

// Encoded words of UTF-8 (as --guess tells it) or Shift_JIS text; nothing 8-bit may stay behind.
std::string MimeHeader(std::string_view input, const std::string &name)
{
    if (IsUtf8Document(input))
        return CreateHeaderString(ConvertUtf8(input, JC_UTF8, JC_SJIS, name, false));
    const std::size_t bad = HeaderEightBitByte(input);
    if (bad != std::string_view::npos)
        throw Failure{1, name + ": byte " + ByteName(static_cast<unsigned char>(input[bad])) + " at offset " +
                             std::to_string(bad) +
                             " is neither UTF-8 nor Shift_JIS; a header holds no 8-bit byte"};
    return CreateHeaderString(input);
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
        return UnBinHex(input, name);
    case Operation::MimeHeader:
        return MimeHeader(input, name);
    case Operation::UnMimeHeader:
        return DecodeHeaderString(input);
    default:
        break;
    }
    return {};
}

} // namespace qumoconv
