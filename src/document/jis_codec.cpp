#include "jis_codec.h"

#include "cp932.h"
#include "jis_tables.h"

#include <cstring>
#include <optional>

namespace Codecs {
namespace detail {

constexpr unsigned char Esc = 0x1B;

bool IsJisByte(unsigned b)
{
    return b >= 0x21 && b <= 0x7E;
}

// The set the escape sequence starting at `p` designates.
std::optional<JisSet> Designation(const unsigned char *p, qsizetype n)
{
    if (n < 3 || p[0] != Esc)
        return std::nullopt;
    if (p[1] == '(' && p[2] == 'B')
        return Ascii;
    if (p[1] == '(' && p[2] == 'J')
        return Roman;
    if (p[1] == '(' && p[2] == 'I')
        return Katakana;
    if (p[1] == '$' && (p[2] == '@' || p[2] == 'B'))
        return Kanji;
    return std::nullopt;
}

const char *EscapeOf(JisSet set)
{
    switch (set) {
    case Ascii:
        return "\x1B(B";
    case Roman:
        return "\x1B(J";
    case Katakana:
        return "\x1B(I";
    case Kanji:
        return "\x1B$B";
    }
    return "";
}

char16_t Kept(unsigned char byte)
{
    return char16_t(Cp932::EscapeBase + byte);
}

} // namespace detail

using namespace detail;

// As the Encoding Standard's decoder, but a line end is always a line break
// (browsers take one in a two-byte or katakana run for an error, eating it)
// and leaves the set as it is (iconv and ICU go back to ASCII).
DecodedText JisDecoder::decode(QByteArrayView bytes) const
{
    DecodedText result;
    result.text = DecodedUnits(bytes, [&](const unsigned char *p, qsizetype n, char16_t *out) {
        JisSet set = Ascii;
        bool designated = false; // an escape sequence came last
        for (qsizetype i = 0; i < n;) {
            const unsigned b = p[i];
            if (b == Esc) {
                // Any escape sequence is a form of its own, kept with its line.
                result.exact = false;
                const std::optional<JisSet> to = Designation(p + i, n - i);
                if (!to) {
                    *out++ = Kept(Esc);
                    designated = false;
                    ++i;
                    continue;
                }
                set = *to;
                // Two in a row shift nothing between them: an error, as for browsers.
                if (designated) {
                    for (int k = 0; k < 3; ++k)
                        *out++ = Kept(p[i + k]);
                }
                designated = true;
                i += 3;
                continue;
            }
            designated = false;
            if (b == '\r' || b == '\n') {
                *out++ = u'\n';
                i += b == '\r' && i + 1 < n && p[i + 1] == '\n' ? 2 : 1;
                continue;
            }
            ++i;
            switch (set) {
            case Ascii:
            case Roman:
                if (b == 0 || b >= 0x80 || b == 0x0E || b == 0x0F)
                    *out++ = Kept(b);
                else if (set == Roman && b == 0x5C)
                    *out++ = u'\u00A5';
                else if (set == Roman && b == 0x7E)
                    *out++ = u'\u203E';
                else
                    *out++ = char16_t(b);
                break;
            case Katakana:
                *out++ = b >= 0x21 && b <= 0x5F ? char16_t(0xFF61 - 0x21 + b) : Kept(b);
                break;
            case Kanji: {
                // A lead byte alone before an escape, a line end or the end.
                const bool pair = IsJisByte(b) && i < n && p[i] != Esc && p[i] != '\r' && p[i] != '\n';
                if (!pair) {
                    *out++ = Kept(b);
                    break;
                }
                const unsigned trail = p[i++];
                const char16_t c = IsJisByte(trail)
                                       ? JisTables::Jis0208Character(int(b - 0x21) * 94 + int(trail - 0x21))
                                       : char16_t(0);
                if (c != 0) {
                    *out++ = c;
                } else {
                    *out++ = Kept(b);
                    *out++ = Kept(trail);
                }
                break;
            }
            }
        }
        return out;
    });
    result.lineEnds = ScanLineEnds(bytes, Jconvert::ReturnCode::CrLf);
    return result;
}

char *JisEncoder::designate(JisSet set, char *out)
{
    std::memcpy(out, EscapeOf(set), 3);
    set_ = set;
    own_ = true;
    return out + 3;
}

void JisEncoder::followKept(unsigned char byte)
{
    if (escapeBytes_ == 2) {
        escapeBytes_ = 0;
        const unsigned char sequence[3] = {escape_[0], escape_[1], byte};
        if (const std::optional<JisSet> to = Designation(sequence, 3)) {
            set_ = *to;
            own_ = false;
            return;
        }
    }
    if (byte == Esc) {
        escape_[0] = byte;
        escapeBytes_ = 1;
    } else if (escapeBytes_ == 1 && (byte == '$' || byte == '(')) {
        escape_[1] = byte;
        escapeBytes_ = 2;
    } else {
        escapeBytes_ = 0;
    }
}

EncodedPiece JisEncoder::encodeCrLf(QStringView piece, char *out)
{
    char *o = out;
    qsizetype first = -1;
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const char16_t c = piece[i].unicode();
        if (Cp932::IsKeptByte(piece, i)) {
            *o++ = char(c - Cp932::EscapeBase);
            followKept(static_cast<unsigned char>(c - Cp932::EscapeBase));
            continue;
        }
        escapeBytes_ = 0;
        if (c == u'\n' || c == QChar::ParagraphSeparator) {
            // A set the file's own bytes left stays as the file had it.
            if (own_ && set_ != Ascii)
                o = designate(Ascii, o);
            *o++ = '\r';
            *o++ = '\n';
            continue;
        }
        JisSet set = Ascii;
        char bytes[2] = {char(c), 0};
        int size = 1;
        if (c < 0x80 && c != 0x0E && c != 0x0F && c != detail::Esc) {
            set = set_ == Roman && c != 0x5C && c != 0x7E ? Roman : Ascii;
        } else if (c == 0x00A5 || c == 0x203E) {
            set = Roman;
            bytes[0] = c == 0x00A5 ? 0x5C : 0x7E;
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            set = Katakana;
            bytes[0] = char(c - 0xFF61 + 0x21);
        } else if (const int pointer = JisTables::Jis0208Pointer(c); pointer >= 0) {
            set = Kanji;
            bytes[0] = char(0x21 + pointer / 94);
            bytes[1] = char(0x21 + pointer % 94);
            size = 2;
        } else {
            if (first < 0)
                first = i;
            set = set_ == Roman ? Roman : Ascii;
            bytes[0] = '?';
            if (QChar::isHighSurrogate(c) && i + 1 < piece.size() && piece[i + 1].isLowSurrogate())
                ++i;
        }
        // ASCII goes on in a one-byte set the file left; any other set is
        // entered anew, as a line on its own would enter it.
        const bool asIs = set == set_ && (own_ || (set != Katakana && set != Kanji && bytes[0] == char(c)));
        if (!asIs)
            o = designate(set, o);
        for (int k = 0; k < size; ++k)
            *o++ = bytes[k];
    }
    return {o - out, first};
}

qsizetype JisEncoder::finish(char *out)
{
    char *o = out;
    if (own_ && set_ != Ascii)
        o = designate(Ascii, o);
    set_ = Ascii;
    own_ = true;
    escapeBytes_ = 0;
    return o - out;
}

qsizetype JisEncoder::keep(KeptShift shift, char *out)
{
    char *o = out;
    const bool needed = shift.before != KeptShift::AnyShift && shift.before != set_ &&
                        !(shift.before == AsciiOrRoman && (set_ == Ascii || set_ == Roman));
    if (needed)
        o = designate(shift.before == AsciiOrRoman ? Ascii : JisSet(shift.before), o);
    if (shift.after != KeptShift::AnyShift)
        set_ = JisSet(shift.after);
    own_ = false;
    escapeBytes_ = 0;
    return o - out;
}

KeptShift JisEncoder::keptShift(QByteArrayView bytes, int state) const
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    const qsizetype firstEscape = bytes.indexOf(char(Esc));
    const QByteArrayView prefix = firstEscape < 0 ? bytes : bytes.first(firstEscape);
    KeptShift shift;
    if (!prefix.isEmpty()) {
        const bool oneByte =
            (state == Ascii || state == Roman) && !prefix.contains('\\') && !prefix.contains('~');
        shift.before = oneByte ? AsciiOrRoman : state;
    }
    for (qsizetype i = firstEscape < 0 ? n : firstEscape; i < n; ++i) {
        if (const std::optional<JisSet> to = Designation(p + i, n - i)) {
            shift.after = *to;
            i += 2;
        }
    }
    return shift;
}

} // namespace Codecs
