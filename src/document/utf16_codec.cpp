#include "utf16_codec.h"

#include "cp932.h"

namespace Codecs {

DecodedText Utf16Decoder::decode(QByteArrayView bytes) const
{
    DecodedText result;
    result.text = DecodedUnits(bytes, [&](const unsigned char *p, qsizetype n, char16_t *out) {
        const int high = bigEndian_ ? 0 : 1;
        const auto unitAt = [&](qsizetype i) { return char16_t(p[i + high] << 8 | p[i + 1 - high]); };
        for (qsizetype i = 0; i + 1 < n; i += 2) {
            const char16_t u = unitAt(i);
            if (QChar::isHighSurrogate(u) && i + 3 < n && QChar::isLowSurrogate(unitAt(i + 2))) {
                *out++ = u;
                *out++ = unitAt(i + 2);
                i += 2;
            } else if (u == 0 || QChar::isSurrogate(u) || BreaksBlock(u)) {
                *out++ = char16_t(Cp932::EscapeBase + p[i]);
                *out++ = char16_t(Cp932::EscapeBase + p[i + 1]);
            } else {
                *out++ = u;
            }
        }
        if (n % 2 != 0)
            *out++ = char16_t(Cp932::EscapeBase + p[n - 1]);
        return out;
    });
    result.lineEnds = TakeLineEnds(result.text, Jconvert::ReturnCode::CrLf);
    return result;
}

EncodedPiece Utf16Encoder::encode(QStringView piece, char *out)
{
    char *o = out;
    const int high = bigEndian_ ? 0 : 1;
    const auto put = [&](char16_t u) {
        o[high] = char(u >> 8);
        o[1 - high] = char(u & 0xFF);
        o += 2;
    };
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const char16_t c = piece[i].unicode();
        if (c == u'\n' || c == QChar::ParagraphSeparator) {
            for (const char byte : Jconvert::LineEndBytes(ends_.at(breaks_++)))
                put(char16_t(byte));
        } else if (Cp932::IsKeptByte(piece, i)) {
            *o++ = char(c - Cp932::EscapeBase);
        } else {
            put(c);
        }
    }
    return {o - out};
}

} // namespace Codecs
