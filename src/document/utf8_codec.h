// UTF-8 documents through the UTF-8 module's decoder and encoder.
#pragma once

#include "text_codec.h"
#include "utf8_document.h"

#include <optional>

namespace Codecs {

class Utf8Decoder final : public TextDecoder
{
public:
    // `valid`: whether the bytes are valid UTF-8, when known.
    explicit Utf8Decoder(std::optional<bool> valid) : valid_(valid) {}
    DecodedText decode(QByteArrayView bytes) const override;

private:
    std::optional<bool> valid_;
};

class Utf8TextEncoder final : public TextEncoder
{
public:
    explicit Utf8TextEncoder(const LineEnds &ends) : encoder_(ends) {}
    EncodedPiece encode(QStringView piece, char *out) override { return {encoder_.EncodeTo(piece, out)}; }

private:
    Utf8Encoder encoder_;
};

} // namespace Codecs
