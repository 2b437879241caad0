// Code page 932 (Windows Shift_JIS) <-> Unicode for documents. Decoding never
// loses a byte: a byte that does not start a valid character becomes a kept
// byte, a lone low surrogate (U+DC00 + byte) that encodes back to that byte.
// No typed or pasted character is one, so only bytes read from a file come
// back raw.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace Cp932 {

inline constexpr char16_t EscapeBase = 0xDC00;

// Whether text[i] is a kept byte: a low surrogate of the escape range that is
// not the second half of a pair.
constexpr bool IsKeptByte(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    return c >= EscapeBase && c <= EscapeBase + 0xFF && (i == 0 || !text[i - 1].isHighSurrogate());
}

struct DecodeInfo
{
    // Every pair was in the form the encoder writes (no NEC/IBM duplicate forms).
    bool canonical = true;
    // Every line end was CR LF.
    bool crLfOnly = true;
};

// CR LF, lone CR and lone LF all become '\n'. When both flags of *info stay
// true, Encode gives back exactly `bytes`.
QString Decode(QByteArrayView bytes, DecodeInfo *info = nullptr);

// '\n', U+2028 and U+2029 become CR LF; characters the code page lacks become '?'.
// *firstUnencodable, when asked for, is the index of the first of them or -1.
QByteArray Encode(QStringView text, qsizetype *firstUnencodable = nullptr);
// Encode into `out`, which has room for twice text.size() bytes; returns the
// bytes written. *firstUnencodable, when asked for, is set to the index of
// the first character the code page lacks and left alone when there is none.
qsizetype EncodeTo(QStringView text, char *out, qsizetype *firstUnencodable = nullptr);
// Where a piece of about `units` code units from `from` ends without
// splitting a surrogate pair, so that pieces encode as the whole text does.
qsizetype PieceEnd(QStringView text, qsizetype from, qsizetype units);

// The character of the double-byte pair lead, trail; 0 when the code page has
// none there. JIS X 0208 in EUC-JP and JIS is read through these pairs.
char16_t DecodePair(unsigned char lead, unsigned char trail);

// Bytes the code unit encodes to: 1 or 2, 0 when the code page lacks it
// (a high surrogate never is; a low one only as a kept byte). Line breaks are
// not handled here.
int EncodedLength(QChar c);

struct Unencodable
{
    QString character; // the whole character, a surrogate pair included
    qsizetype line;    // 1-based
};
std::optional<Unencodable> FirstUnencodable(QStringView text);
// The character starting at `index` and its line.
Unencodable DescribeCharacterAt(QStringView text, qsizetype index);

} // namespace Cp932
