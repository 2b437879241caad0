#include "euc_codec.h"

#include "cp932.h"
#include "jis_tables.h"

namespace Codecs {
namespace detail {

bool IsEucByte(unsigned b)
{
    return b >= 0xA1 && b <= 0xFE;
}

struct EucChar
{
    char16_t c;       // 0: the bytes are no character
    qsizetype length; // bytes taken: the character's, or those of the error
    bool canonical;   // in the form the encoder writes
};

// The character at `p`, a byte of 0x80 or above, `n` bytes left. A broken
// one takes what browsers take with it: a following byte, unless it is ASCII
// and so read by itself.
EucChar ReadEucChar(const unsigned char *p, qsizetype n)
{
    const unsigned lead = p[0];
    const auto taken = [&](qsizetype at) { return at < n && p[at] >= 0x80 ? at + 1 : at; };
    if (lead == 0x8E && n > 1 && p[1] >= 0xA1 && p[1] <= 0xDF)
        return {char16_t(0xFF61 - 0xA1 + p[1]), 2, true};
    if (lead == 0x8F && n > 1 && IsEucByte(p[1])) {
        if (n > 2 && IsEucByte(p[2])) {
            const char16_t c = JisTables::Jis0212Character(int(p[1] - 0xA1) * 94 + int(p[2] - 0xA1));
            if (c != 0)
                return {c, 3, JisTables::Jis0208Pointer(c) < 0};
        }
        return {0, taken(2), true};
    }
    if (IsEucByte(lead) && n > 1 && IsEucByte(p[1])) {
        const int pointer = int(lead - 0xA1) * 94 + int(p[1] - 0xA1);
        const char16_t c = JisTables::Jis0208Character(pointer);
        return {c, 2, c == 0 || JisTables::Jis0208Pointer(c) == pointer};
    }
    if (lead == 0x8E || lead == 0x8F || IsEucByte(lead))
        return {0, taken(1), true};
    return {0, 1, true};
}

} // namespace detail

DecodedText EucDecoder::decode(QByteArrayView bytes) const
{
    DecodedText result;
    result.text = DecodedUnits(bytes, [&](const unsigned char *p, qsizetype n, char16_t *out) {
        for (qsizetype i = 0; i < n;) {
            const unsigned b = p[i];
            if (b == '\r') {
                *out++ = u'\n';
                i += i + 1 < n && p[i + 1] == '\n' ? 2 : 1;
            } else if (b < 0x80) {
                *out++ = b == 0 ? Cp932::EscapeBase : char16_t(b);
                ++i;
            } else {
                const detail::EucChar read = detail::ReadEucChar(p + i, n - i);
                if (read.c != 0) {
                    *out++ = read.c;
                } else {
                    for (qsizetype k = 0; k < read.length; ++k)
                        *out++ = char16_t(Cp932::EscapeBase + p[i + k]);
                }
                result.exact = result.exact && read.canonical;
                i += read.length;
            }
        }
        return out;
    });
    result.lineEnds = ScanLineEnds(bytes, Jconvert::ReturnCode::CrLf);
    return result;
}

bool IsWholeEuc(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const detail::EucChar read = detail::ReadEucChar(p + i, n - i);
        if (read.c == 0)
            return false;
        i += read.length;
    }
    return true;
}

EncodedPiece EucEncoder::encodeCrLf(QStringView piece, char *out)
{
    char *o = out;
    qsizetype first = -1;
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const char16_t c = piece[i].unicode();
        if (c < 0x80 && c != u'\n') {
            *o++ = char(c);
            continue;
        }
        if (c == u'\n' || c == QChar::ParagraphSeparator) {
            *o++ = '\r';
            *o++ = '\n';
            continue;
        }
        if (Cp932::IsKeptByte(piece, i)) {
            *o++ = char(c - Cp932::EscapeBase);
            continue;
        }
        if (c >= 0xFF61 && c <= 0xFF9F) {
            *o++ = char(0x8E);
            *o++ = char(c - 0xFF61 + 0xA1);
            continue;
        }
        if (const int pointer = JisTables::Jis0208Pointer(c); pointer >= 0) {
            *o++ = char(0xA1 + pointer / 94);
            *o++ = char(0xA1 + pointer % 94);
            continue;
        }
        if (const int pointer = JisTables::Jis0212Pointer(c); pointer >= 0) {
            *o++ = char(0x8F);
            *o++ = char(0xA1 + pointer / 94);
            *o++ = char(0xA1 + pointer % 94);
            continue;
        }
        if (first < 0)
            first = i;
        *o++ = '?';
        if (QChar::isHighSurrogate(c) && i + 1 < piece.size() && piece[i + 1].isLowSurrogate())
            ++i;
    }
    return {o - out, first};
}

} // namespace Codecs
