#include "sjis_codec.h"

#include "cp932.h"

namespace Codecs {

DecodedText SjisDecoder::decode(QByteArrayView bytes) const
{
    Cp932::DecodeInfo info;
    QString text = Cp932::Decode(bytes, &info);
    // NEC and IBM forms of a character are read, but written in one form only.
    return {std::move(text), ScanLineEnds(bytes, Jconvert::ReturnCode::CrLf), info.canonical};
}

EncodedPiece SjisEncoder::encodeCrLf(QStringView piece, char *out)
{
    EncodedPiece encoded;
    encoded.bytes = Cp932::EncodeTo(piece, out, &encoded.firstUnencodable);
    return encoded;
}

} // namespace Codecs
