#include "text_codec.h"

#include "euc_codec.h"
#include "jis_codec.h"
#include "sjis_codec.h"
#include "utf16_codec.h"
#include "utf8_codec.h"

bool BreaksBlock(char32_t c)
{
    return c == 0x2029 || c == 0xFDD0 || c == 0xFDD1;
}

std::unique_ptr<TextDecoder> DecoderFor(DocumentCode code, std::optional<bool> validUtf8)
{
    switch (code) {
    case DocumentCode::Sjis:
        break;
    case DocumentCode::Jis:
        return std::make_unique<Codecs::JisDecoder>();
    case DocumentCode::Euc:
        return std::make_unique<Codecs::EucDecoder>();
    case DocumentCode::Utf8:
        return std::make_unique<Codecs::Utf8Decoder>(validUtf8);
    case DocumentCode::Utf16Le:
    case DocumentCode::Utf16Be:
        return std::make_unique<Codecs::Utf16Decoder>(code == DocumentCode::Utf16Be);
    }
    return std::make_unique<Codecs::SjisDecoder>();
}

std::unique_ptr<TextEncoder> EncoderFor(DocumentCode code, const LineEnds &ends)
{
    switch (code) {
    case DocumentCode::Sjis:
        break;
    case DocumentCode::Jis:
        return std::make_unique<Codecs::JisEncoder>(ends);
    case DocumentCode::Euc:
        return std::make_unique<Codecs::EucEncoder>(ends);
    case DocumentCode::Utf8:
        return std::make_unique<Codecs::Utf8TextEncoder>(ends);
    case DocumentCode::Utf16Le:
    case DocumentCode::Utf16Be:
        return std::make_unique<Codecs::Utf16Encoder>(code == DocumentCode::Utf16Be, ends);
    }
    return std::make_unique<Codecs::SjisEncoder>(ends);
}

QByteArrayView ByteOrderMark(DocumentCode code)
{
    switch (code) {
    case DocumentCode::Utf8:
        return QByteArrayView("\xEF\xBB\xBF", 3);
    case DocumentCode::Utf16Le:
        return QByteArrayView("\xFF\xFE", 2);
    case DocumentCode::Utf16Be:
        return QByteArrayView("\xFE\xFF", 2);
    default:
        return {};
    }
}
