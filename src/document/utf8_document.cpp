#include "utf8_document.h"

#include "cp932.h"
#include "jconvert.h"
#include "text_codec.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__) && !defined(QUMO_NO_VECTORS)
#include <emmintrin.h>
#endif

using Jconvert::ReturnCode;

namespace {

bool HoldsBlockBreakers(QStringView text)
{
    // One pass the compiler turns into vector code: the slow path is rare.
    bool found = false;
    const char16_t *const units = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i)
        found |= (units[i] == 0x2029) | ((units[i] | 1) == 0xFDD1);
    return found;
}

char16_t Kept(unsigned char byte)
{
    return char16_t(Cp932::EscapeBase + byte);
}

// Decodes sequence by sequence, keeping what cannot stand as a character.
QString DecodeKeeping(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized); // a unit per byte at most
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    char16_t *const start = out;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const std::size_t length =
            Jconvert::Utf8SequenceLength(std::string_view(bytes.data() + i, std::size_t(n - i)));
        if (length == 0) {
            *out++ = Kept(p[i++]);
            continue;
        }
        char32_t c = length == 1 ? p[i] : p[i] & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = c << 6 | (p[i + k] & 0x3F);
        if (BreaksBlock(c)) {
            for (std::size_t k = 0; k < length; ++k)
                *out++ = Kept(p[i + k]);
        } else if (c >= 0x10000) {
            *out++ = QChar::highSurrogate(c);
            *out++ = QChar::lowSurrogate(c);
        } else {
            *out++ = char16_t(c);
        }
        i += qsizetype(length);
    }
    text.truncate(out - start);
    return text;
}

// Four code units that are all ASCII but '\n'.
bool FourAscii(const char16_t *p)
{
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    constexpr std::uint64_t Ones = 0x0001000100010001ULL;
    constexpr std::uint64_t Highs = 0x8000800080008000ULL;
    const std::uint64_t x = w ^ (Ones * u'\n');
    const std::uint64_t newline = (x - Ones) & ~x & Highs;
    return ((w & (Ones * 0xFF80)) | newline) == 0;
}

// Writes eight code units that are all ASCII but '\n' as eight bytes; false, writing nothing, when
// they are not.
bool EightAscii(const char16_t *p, char *o)
{
#if defined(__SSE2__) && !defined(QUMO_NO_VECTORS)
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    const __m128i ascii =
        _mm_cmpeq_epi16(_mm_and_si128(units, _mm_set1_epi16(short(0xFF80))), _mm_setzero_si128());
    const __m128i newline = _mm_cmpeq_epi16(units, _mm_set1_epi16(u'\n'));
    if (_mm_movemask_epi8(_mm_andnot_si128(newline, ascii)) != 0xFFFF)
        return false;
    _mm_storel_epi64(reinterpret_cast<__m128i *>(o), _mm_packus_epi16(units, units));
    return true;
#else
    if (!FourAscii(p) || !FourAscii(p + 4))
        return false;
    for (int k = 0; k < 8; ++k)
        o[k] = char(p[k]);
    return true;
#endif
}

} // namespace

Utf8Text DecodeUtf8Document(QByteArrayView bytes, bool valid)
{
    Utf8Text result;
    const QByteArrayView bom(Jconvert::UTF8_BOM.data(), qsizetype(Jconvert::UTF8_BOM.size()));
    result.bom = bytes.startsWith(bom);
    result.text = DecodeUtf8Text(result.bom ? bytes.sliced(bom.size()) : bytes, valid);
    result.lineEnds = TakeLineEnds(result.text, ReturnCode::Lf);
    return result;
}

QString DecodeUtf8Text(QByteArrayView body, bool valid)
{
    QString text;
    if (valid) {
        // The mark is taken off before; a second one is text.
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        text = decoder.decode(body);
    }
    if (!valid || HoldsBlockBreakers(text))
        text = DecodeKeeping(body);
    return text;
}

qsizetype Utf8Encoder::EncodeTo(QStringView piece, char *out)
{
    char *o = out;
    const char16_t *const begin = piece.utf16();
    const char16_t *const end = begin + piece.size();
    for (const char16_t *p = begin; p < end;) {
        const char16_t c = *p;
        // Most code units are ASCII or three bytes long: they go first.
        if (c < 0x80 && c != u'\n') {
            if (end - p >= 8 && EightAscii(p, o)) {
                o += 8;
                p += 8;
                continue;
            }
            if (end - p >= 4 && FourAscii(p)) {
                for (int k = 0; k < 4; ++k)
                    o[k] = char(p[k]);
                o += 4;
                p += 4;
                continue;
            }
            *o++ = char(c);
            ++p;
            continue;
        }
        if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF) && c != QChar::ParagraphSeparator) {
            o[0] = char(0xE0 | c >> 12);
            o[1] = char(0x80 | (c >> 6 & 0x3F));
            o[2] = char(0x80 | (c & 0x3F));
            o += 3;
            ++p;
            continue;
        }
        if (c == u'\n' || c == QChar::ParagraphSeparator) {
            const std::string_view lineEnd = Jconvert::LineEndBytes(ends_.at(breaks_++));
            std::memcpy(o, lineEnd.data(), lineEnd.size());
            o += lineEnd.size();
            ++p;
            continue;
        }
        if (c < 0x800) {
            o[0] = char(0xC0 | c >> 6);
            o[1] = char(0x80 | (c & 0x3F));
            o += 2;
            ++p;
            continue;
        }
        if (QChar::isHighSurrogate(c) && end - p >= 2 && QChar::isLowSurrogate(p[1])) {
            const char32_t u = QChar::surrogateToUcs4(c, p[1]);
            o[0] = char(0xF0 | u >> 18);
            o[1] = char(0x80 | (u >> 12 & 0x3F));
            o[2] = char(0x80 | (u >> 6 & 0x3F));
            o[3] = char(0x80 | (u & 0x3F));
            o += 4;
            p += 2;
            continue;
        }
        // A kept byte; any other lone surrogate cannot be written in UTF-8.
        if (Cp932::IsKeptByte(QStringView(begin, end), p - begin))
            *o++ = char(c - Cp932::EscapeBase);
        else
            o = std::copy_n("\xEF\xBF\xBD", 3, o);
        ++p;
    }
    return o - out;
}

QByteArray EncodeUtf8Document(QStringView text, const LineEnds &ends, bool bom)
{
    QByteArray bytes(bom ? QByteArray(Jconvert::UTF8_BOM.data(), qsizetype(Jconvert::UTF8_BOM.size()))
                         : QByteArray());
    const qsizetype at = bytes.size();
    bytes.resize(at + Utf8Encoder::MaxBytes(text.size()));
    Utf8Encoder encoder(ends);
    bytes.truncate(at + encoder.EncodeTo(text, bytes.data() + at));
    return bytes;
}
