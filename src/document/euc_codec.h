// EUC-JP documents as browsers read them: JIS X 0208 with the NEC and IBM
// rows, half-width katakana behind 0x8E and JIS X 0212 behind 0x8F. Written
// back the same way, a character JIS X 0208 has in that form.
#pragma once

#include "text_codec.h"

namespace Codecs {

class EucDecoder final : public TextDecoder
{
public:
    DecodedText decode(QByteArrayView bytes) const override;
};

class EucEncoder final : public ByteCodeEncoder
{
public:
    using ByteCodeEncoder::ByteCodeEncoder;

protected:
    EncodedPiece encodeCrLf(QStringView piece, char *out) override;
};

// Whether every byte of `bytes` is ASCII or part of an EUC-JP character.
bool IsWholeEuc(QByteArrayView bytes);

} // namespace Codecs
