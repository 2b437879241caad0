#include "encoded_size.h"

#include "cp932.h"
#include "text_codec.h"

#include <vector>

namespace {

// Code units encoded at a time, so that a large text is never held twice.
constexpr qsizetype PieceUnits = 1 << 16;

} // namespace

qsizetype EncodedSize(QStringView text, DocumentCode code, Jconvert::ReturnCode lineEnd)
{
    const LineEnds ends{lineEnd, {}};
    const std::unique_ptr<TextEncoder> encoder = EncoderFor(code, ends);
    std::vector<char> out(
        std::size_t(PieceUnits * TextEncoder::MaxBytesPerUnit + TextEncoder::MaxFinishBytes));
    qsizetype bytes = 0;
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype to = Cp932::PieceEnd(text, from, PieceUnits);
        bytes += encoder->encode(text.sliced(from, to - from), out.data()).bytes;
        from = to;
    }
    return bytes + encoder->finish(out.data());
}

QByteArray CharacterBytes(QStringView character, DocumentCode code, Jconvert::ReturnCode lineEnd)
{
    const LineEnds ends{lineEnd, {}};
    const std::unique_ptr<TextEncoder> encoder = EncoderFor(code, ends);
    QByteArray out(character.size() * TextEncoder::MaxBytesPerUnit + TextEncoder::MaxFinishBytes,
                   Qt::Uninitialized);
    const EncodedPiece encoded = encoder->encode(character, out.data());
    if (encoded.firstUnencodable >= 0)
        return {};
    const qsizetype written = encoded.bytes + encoder->finish(out.data() + encoded.bytes);
    QByteArray bytes;
    for (qsizetype i = 0; i < written; ++i) {
        if (out[i] != '\x1B') {
            bytes += out[i];
            continue;
        }
        // A shift: ESC, intermediate bytes, one final byte.
        while (i + 1 < written && out[i + 1] >= 0x20 && out[i + 1] <= 0x2F)
            ++i;
        ++i;
    }
    return bytes;
}
