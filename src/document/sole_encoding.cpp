#include "sole_encoding.h"

#include "text_codec.h"

#include <QHash>

namespace detail {

namespace {

// How many byte sequences of `code` read as each character: every byte, and
// every sequence of two (and for EUC-JP three) that starts with a byte above
// 0x7F, each decoded alone by the code's own decoder.
QHash<char32_t, int> CountForms(DocumentCode code)
{
    QByteArray all;
    const auto add = [&all](std::initializer_list<int> bytes) {
        for (const int b : bytes)
            all.append(char(b));
        all.append('\n');
    };
    for (int b = 0; b < 256; ++b) {
        if (b != '\n' && b != '\r')
            add({b});
    }
    for (int lead = 0x80; lead < 256; ++lead) {
        for (int trail = 0x21; trail < 256; ++trail)
            add({lead, trail});
    }
    if (code == DocumentCode::Euc) {
        for (int first = 0xA1; first < 0xFF; ++first) {
            for (int second = 0xA1; second < 0xFF; ++second)
                add({0x8F, first, second});
        }
    }
    QHash<char32_t, int> forms;
    const QString text = DecoderFor(code)->decode(all).text;
    for (const QStringView piece : QStringView(text).tokenize(u'\n')) {
        const QList<uint> ucs4 = piece.toUcs4();
        if (ucs4.size() == 1)
            ++forms[char32_t(ucs4.front())];
    }
    return forms;
}

const QHash<char32_t, int> &Forms(DocumentCode code)
{
    static const QHash<char32_t, int> sjis = CountForms(DocumentCode::Sjis);
    static const QHash<char32_t, int> euc = CountForms(DocumentCode::Euc);
    return code == DocumentCode::Euc ? euc : sjis;
}

bool HasLoneSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

} // namespace

} // namespace detail

std::optional<QByteArray> SoleEncoding(QStringView text, DocumentCode code)
{
    // Kept bytes read as lone surrogates: a text holding one matches them, whatever its bytes.
    if (text.isEmpty() || detail::HasLoneSurrogate(text))
        return std::nullopt;
    if (code == DocumentCode::Utf8)
        return text.toUtf8();
    if (code != DocumentCode::Sjis && code != DocumentCode::Euc)
        return std::nullopt;
    const QHash<char32_t, int> &forms = detail::Forms(code);
    for (const uint c : text.toUcs4()) {
        if (forms.value(char32_t(c)) != 1)
            return std::nullopt;
    }
    const LineEnds ends{Jconvert::ReturnCode::Lf, {}};
    const std::unique_ptr<TextEncoder> encoder = EncoderFor(code, ends);
    QByteArray bytes(text.size() * TextEncoder::MaxBytesPerUnit + TextEncoder::MaxFinishBytes,
                     Qt::Uninitialized);
    const EncodedPiece piece = encoder->encode(text, bytes.data());
    if (piece.firstUnencodable >= 0)
        return std::nullopt;
    bytes.truncate(piece.bytes + encoder->finish(bytes.data() + piece.bytes));
    return bytes;
}
