// UTF-16 documents, little- or big-endian. Code units the editor cannot hold
// as they are (NUL, a surrogate without its other half, a character that
// splits blocks) and an odd last byte are kept as bytes.
#pragma once

#include "text_codec.h"

namespace Codecs {

class Utf16Decoder final : public TextDecoder
{
public:
    explicit Utf16Decoder(bool bigEndian) : bigEndian_(bigEndian) {}
    DecodedText decode(QByteArrayView bytes) const override;

private:
    bool bigEndian_;
};

class Utf16Encoder final : public TextEncoder
{
public:
    Utf16Encoder(bool bigEndian, const LineEnds &ends) : bigEndian_(bigEndian), ends_(ends) {}
    EncodedPiece encode(QStringView piece, char *out) override;

private:
    bool bigEndian_;
    const LineEnds &ends_;
    std::size_t breaks_ = 0;
};

} // namespace Codecs
