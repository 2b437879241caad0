#include "code_bytes.h"

#include "cp932.h"
#include "jconvert_stream.h"

#include <string>
#include <vector>

namespace TextTools {

namespace detail {

// Code units encoded at a time, so that a large text is never held twice.
constexpr qsizetype PieceUnits = 1 << 20;

qsizetype Utf8Size(QStringView text, qsizetype lineEndBytes)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n')
            bytes += lineEndBytes;
        else if (c < 0x80 || Cp932::IsKeptByte(text, i))
            bytes += 1;
        else if (c < 0x800)
            bytes += 2;
        else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            bytes += 4, ++i;
        else
            bytes += 3;
    }
    return bytes;
}

// The code the code conversion library converts Shift_JIS to.
Jconvert::CharCode JapaneseCode(ByteCode code)
{
    return code == ByteCode::Jis   ? Jconvert::CharCode::Jis
           : code == ByteCode::Euc ? Jconvert::CharCode::Euc
                                   : Jconvert::CharCode::Sjis;
}

} // namespace detail

qsizetype EncodedSize(QStringView text, ByteCode code, Jconvert::ReturnCode lineEnd)
{
    const qsizetype lineEndBytes = qsizetype(Jconvert::LineEndBytes(lineEnd).size());
    if (code == ByteCode::Utf8)
        return detail::Utf8Size(text, lineEndBytes);
    if (code == ByteCode::Utf16Le || code == ByteCode::Utf16Be)
        return 2 * (text.size() + text.count(u'\n') * (lineEndBytes - 1));
    // Code page 932 writes CR LF; the other codes convert its bytes piece by
    // piece as they convert the whole.
    Jconvert::CodeStream stream(Jconvert::JC_SJIS, Jconvert::JcValue(detail::JapaneseCode(code)));
    std::string input;
    std::vector<char> output;
    qsizetype bytes = 0;
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype to = Cp932::PieceEnd(text, from, detail::PieceUnits);
        const std::size_t kept = input.size();
        input.resize(kept + std::size_t(2 * (to - from)));
        input.resize(kept + std::size_t(Cp932::EncodeTo(text.sliced(from, to - from), input.data() + kept)));
        from = to;
        if (stream.Copies()) {
            bytes += qsizetype(input.size());
            input.clear();
            continue;
        }
        output.resize(stream.MaxOutput(input.size()));
        const Jconvert::StreamProgress done =
            stream.Convert(input.data(), input.size(), from == text.size(), output.data());
        bytes += qsizetype(done.written);
        input.erase(0, done.read);
    }
    return bytes + text.count(u'\n') * (lineEndBytes - 2);
}

QByteArray LineBreakBytes(ByteCode code, Jconvert::ReturnCode lineEnd)
{
    const std::string_view ascii = Jconvert::LineEndBytes(lineEnd);
    return code == ByteCode::Utf16Le || code == ByteCode::Utf16Be
               ? CharacterBytes(QString::fromLatin1(ascii.data(), qsizetype(ascii.size())), code)
               : QByteArray(ascii.data(), qsizetype(ascii.size()));
}

QByteArray CharacterBytes(QStringView character, ByteCode code)
{
    if (code == ByteCode::Utf16Le || code == ByteCode::Utf16Be) {
        QByteArray bytes;
        for (const QChar c : character) {
            const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
            bytes += code == ByteCode::Utf16Le ? low : high;
            bytes += code == ByteCode::Utf16Le ? high : low;
        }
        return bytes;
    }
    if (code == ByteCode::Utf8) {
        if (character.size() == 1 && Cp932::IsKeptByte(character, 0))
            return QByteArray(1, char(character[0].unicode() - Cp932::EscapeBase));
        return character.toUtf8();
    }
    qsizetype unencodable = -1;
    const QByteArray sjis = Cp932::Encode(character, &unencodable);
    if (unencodable >= 0 || code == ByteCode::Sjis)
        return unencodable >= 0 ? QByteArray() : sjis;
    const std::string converted =
        Jconvert::StrictConvertJCode(std::string_view(sjis.constData(), std::size_t(sjis.size())),
                                     Jconvert::JC_SJIS, Jconvert::JcValue(detail::JapaneseCode(code)));
    QByteArray bytes;
    for (std::size_t i = 0; i < converted.size(); ++i) {
        if (converted[i] == '\x1B')
            i += 2; // a shift: ESC and two bytes
        else
            bytes += converted[i];
    }
    return bytes;
}

} // namespace TextTools
