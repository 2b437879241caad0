#include "code_detection.h"

#include "euc_codec.h"
#include "jconvert.h"
#include "jconvert_stream.h"
#include "text_codec.h"

namespace {

std::optional<DocumentCode> Utf16ByMark(QByteArrayView bytes)
{
    for (const DocumentCode code : {DocumentCode::Utf16Le, DocumentCode::Utf16Be}) {
        if (bytes.startsWith(ByteOrderMark(code)))
            return code;
    }
    return std::nullopt;
}

// A code without a mark.
DetectedCode Unmarked(DocumentCode code)
{
    return {code, false, std::nullopt, false};
}

} // namespace

DetectedCode DetectCode(QByteArrayView bytes, bool undecidedIsEuc)
{
    if (const std::optional<DocumentCode> utf16 = Utf16ByMark(bytes))
        return {*utf16, true, {}, false};
    const std::string_view view(bytes.data(), std::size_t(bytes.size()));
    Jconvert::Utf8Detector utf8;
    utf8.Feed(view);
    const Jconvert::Utf8Verdict verdict = utf8.Finish();
    if (verdict.document())
        return {DocumentCode::Utf8, bytes.startsWith(ByteOrderMark(DocumentCode::Utf8)), verdict.valid,
                false};
    switch (Jconvert::InCodeCheck(view)) {
    case Jconvert::JC_JIS_NEW:
    case Jconvert::JC_JIS_OLD:
        return Unmarked(DocumentCode::Jis);
    case Jconvert::JC_EUC:
        return Unmarked(DocumentCode::Euc);
    case Jconvert::JC_EUC_OR_SJIS:
        return Unmarked(undecidedIsEuc ? DocumentCode::Euc : DocumentCode::Sjis);
    case Jconvert::JC_SJIS:
        // InCodeCheck takes 0x8F for Shift_JIS: EUC-JP's JIS X 0212
        // characters (romanised text with macrons) would read as Shift_JIS.
        // Real Shift_JIS text is never EUC-JP from end to end.
        return Unmarked(Codecs::IsWholeEuc(bytes) ? DocumentCode::Euc : DocumentCode::Sjis);
    case Jconvert::JC_BINARY:
        return {DocumentCode::Sjis, false, std::nullopt, true};
    default:
        return Unmarked(DocumentCode::Sjis);
    }
}

DetectedCode ReadAs(QByteArrayView bytes, DocumentCode code)
{
    if (code == DocumentCode::Utf16Le || code == DocumentCode::Utf16Be) {
        const std::optional<DocumentCode> marked = Utf16ByMark(bytes);
        return {marked.value_or(code), marked.has_value(), {}, false};
    }
    return {code, !ByteOrderMark(code).isEmpty() && bytes.startsWith(ByteOrderMark(code)), {}, false};
}
