#include "utf8_codec.h"

#include "jconvert_stream.h"

namespace Codecs {

DecodedText Utf8Decoder::decode(QByteArrayView bytes) const
{
    bool valid = false;
    if (valid_) {
        valid = *valid_;
    } else {
        Jconvert::Utf8Detector detector;
        detector.Feed(std::string_view(bytes.data(), std::size_t(bytes.size())));
        valid = detector.Finish().valid;
    }
    DecodedText result{DecodeUtf8Text(bytes, valid), {}, true};
    result.lineEnds = TakeLineEnds(result.text, Jconvert::ReturnCode::Lf);
    return result;
}

} // namespace Codecs
