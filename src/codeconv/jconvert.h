// Japanese character-code and line-end detection and conversion, and the
// 6-bit transfer encodings. Pure functions over byte strings: no state, no
// errors, and no function reads past the end of its input.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Jconvert {

// Character-code identifiers (InCodeCheck, ConvertJCode, StrictConvertJCode).
inline constexpr int JC_ASCII = 0;
inline constexpr int JC_BINARY = 1;
inline constexpr int JC_JIS_NEW = 2;
inline constexpr int JC_JIS_OLD = 3;
inline constexpr int JC_EUC = 4;
inline constexpr int JC_SJIS = 5;
inline constexpr int JC_EUC_OR_SJIS = 6;
// UTF-8, told apart before InCodeCheck (IsUtf8Document), which never gives it.
inline constexpr int JC_UTF8 = 7;

// Line-end identifiers.
inline constexpr int RC_NONE = 0;
inline constexpr int RC_CRLF = 1;
inline constexpr int RC_CR = 2;
inline constexpr int RC_LF = 3;

// Leading bytes that the binary pre-scan of InCodeCheck looks at.
inline constexpr std::size_t STRICT_CHECK_LEN = 512;

// The two bytes of one double-byte character.
struct BytePair
{
    unsigned char first;
    unsigned char second;
    friend constexpr bool operator==(BytePair, BytePair) = default;
};

// JIS X 0208 row/cell to Shift_JIS (8-bit arithmetic, wraps).
constexpr BytePair ToSjis(unsigned char j1, unsigned char j2)
{
    const unsigned char s1 = static_cast<unsigned char>(((j1 + 1) >> 1) + (j1 < 0x5F ? 0x70 : 0xB0));
    unsigned char add;
    if (j1 % 2 == 0)
        add = 0x7E;
    else
        add = j2 <= 0x5F ? 0x1F : 0x20;
    return {s1, static_cast<unsigned char>(j2 + add)};
}

// Shift_JIS double-byte character to its 7-bit JIS X 0208 bytes.
constexpr BytePair ToJis(unsigned char s1, unsigned char s2)
{
    unsigned char j1 = static_cast<unsigned char>((s1 - (s1 < 0xA0 ? 0x70 : 0xB0)) * 2);
    if (s2 < 0x9F)
        j1 = static_cast<unsigned char>(j1 - 1);
    unsigned char j2;
    if (s2 >= 0x9F)
        j2 = static_cast<unsigned char>(s2 - 0x7E);
    else
        j2 = static_cast<unsigned char>(s2 <= 0x7F ? s2 - 0x1F : s2 - 0x20);
    return {j1, j2};
}

// The character code of a text: JC_ASCII, JC_BINARY, JC_JIS_NEW, JC_JIS_OLD, JC_EUC, JC_SJIS or
// JC_EUC_OR_SJIS.
int InCodeCheck(std::string_view text);

// The UTF-8 byte-order mark.
inline constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";

// Whether a text is a UTF-8 document: it starts with the byte-order mark, or it is valid UTF-8 from end to
// end (no NUL, overlong form, surrogate, code point above U+10FFFF or sequence cut short) and holds at least
// one multi-byte sequence. Pure ASCII is not: it reads the same as Shift_JIS.
bool IsUtf8Document(std::string_view text);
// Bytes of the valid UTF-8 sequence that starts the text (1-4), by the same rules; 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text);

// The six converters put the geta mark 〓 in place of a character they cannot convert: a byte sequence that
// is no character of the source code, one cut off by the end of the text, a JIS X 0212 character of EUC-JP,
// or a Shift_JIS user-defined or IBM extension character (lead 0xF0-0xFC) on the way to EUC-JP or JIS. The
// mark takes only the bytes of that character: a line end or letter after it stays. JIS output returns to
// ASCII with ESC ( B before each one-byte character and at its end.

// Shift_JIS text to JIS (ESC $ B ... ESC ( B).
std::string sjis2jis83(std::string_view text);
// EUC-JP text to JIS.
std::string euc2jis83(std::string_view text);
// JIS text to Shift_JIS.
std::string jis2sjis(std::string_view text);
// EUC-JP text to Shift_JIS.
std::string euc2sjis(std::string_view text);
// Shift_JIS text to EUC-JP.
std::string sjis2euc(std::string_view text);
// JIS text to EUC-JP.
std::string jis2euc(std::string_view text);

// The text converted from the code InCodeCheck finds to the target code; undecided text is unchanged.
std::string ConvertJCode(std::string_view text, int target);
// The text converted from the given source code to the target code.
std::string StrictConvertJCode(std::string_view text, int source, int target);
// Bytes the converters take as the Shift_JIS character that starts the text: 2 for a lead byte and a trail
// byte, else 1 (0 for an empty text).
std::size_t SjisCharacterLength(std::string_view text);

// The line end of a text: RC_NONE, RC_CRLF, RC_CR or RC_LF.
int ReturnCodeCheck(std::string_view text);
// The text with its line ends of the kind ReturnCodeCheck finds rewritten to the target kind.
std::string ConvertReturnCode(std::string_view text, int target);
// The text with its line ends of the source kind rewritten to the target kind.
std::string StrictConvertReturnCode(std::string_view text, int source, int target);
// Every line end (CR LF, lone CR, lone LF) rewritten to the target kind (1-3); other kinds change nothing.
std::string NormalizeReturnCode(std::string_view text, int target);

// Base64 in one line.
std::string EncodeBase64(std::string_view data);
// Base64 in lines of 76 characters, each ended by lineBreak.
std::string EncodeBase64R(std::string_view data, std::string_view lineBreak);
// uuencoded body lines, each ended by lineBreak.
std::string EncodeUU(std::string_view data, std::string_view lineBreak);
// BinHex 6-bit text between colons, in lines of 64 characters ended by lineBreak.
std::string EncodeBinHex(std::string_view data, std::string_view lineBreak);
// Base64 decoded, line breaks between groups skipped; no checks.
std::string DecodeBase64(std::string_view text);
// uuencoded body lines decoded; no checks.
std::string DecodeUU(std::string_view text);
// BinHex 6-bit text between colons decoded; no checks.
std::string DecodeBinHex(std::string_view text);

// What a checking decoder or code conversion found wrong; None when nothing.
enum class DecodeError {
    None,
    BadCharacter, // a character outside the alphabet, not a line break or a space; a byte sequence that is
                  // no character of the source code
    CutShort, // a line or group holds fewer characters than its data needs; a character cut off by the end
    MissingStart, // no line where the encoded data begins
    MissingEnd,   // the data runs to the end of the text without its closing mark
    Unmappable,   // a character of the source code that the target code lacks
};

// A checking decoder's outcome: the error, and the offset of the first byte at fault (where the data ends,
// for a missing end).
struct DecodeResult
{
    DecodeError error;
    std::size_t offset;
};

// Checked Base64: line breaks and spaces are skipped; appends the data to out, or reports the first fault.
DecodeResult DecodeBase64Checked(std::string_view text, std::string &out);
// A uuencoded file: the lines between "begin" and "end" (or the whole text, when it has no "begin" line),
// checked.
DecodeResult DecodeUUFile(std::string_view text, std::string &out);
// A BinHex file: the data between the colons after the "(This file must be converted with BinHex" line,
// checked.
DecodeResult DecodeBinHexFile(std::string_view text, std::string &out);

// StrictConvertJCode appending to out; reports the first character it put the geta mark in place of, at its
// first byte.
DecodeResult StrictConvertJCodeChecked(std::string_view text, int source, int target, std::string &out);

// Shift_JIS header text with each run of double-byte characters and half-width katakana as an
// ISO-2022-JP encoded word (the kana in full width).
std::string CreateHeaderString(std::string_view sjisText);
// The offset of the first byte CreateHeaderString would leave 8-bit (not Shift_JIS), or npos.
std::size_t HeaderEightBitByte(std::string_view sjisText);
// Header text with each encoded word replaced by its JIS bytes.
std::string DecodeHeaderString(std::string_view text);

} // namespace Jconvert
