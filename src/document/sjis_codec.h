// Shift_JIS documents: code page 932 as the editor has always read it.
#pragma once

#include "text_codec.h"

namespace Codecs {

class SjisDecoder final : public TextDecoder
{
public:
    DecodedText decode(QByteArrayView bytes) const override;
};

class SjisEncoder final : public ByteCodeEncoder
{
public:
    using ByteCodeEncoder::ByteCodeEncoder;

protected:
    EncodedPiece encodeCrLf(QStringView piece, char *out) override;
};

} // namespace Codecs
