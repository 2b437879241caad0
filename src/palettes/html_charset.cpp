#include "html_charset.h"

namespace Palettes {

QString HtmlCharsetName(Jconvert::CharCode code)
{
    switch (code) {
    case Jconvert::CharCode::Sjis:
        return QStringLiteral("Shift_JIS");
    case Jconvert::CharCode::Jis:
    case Jconvert::CharCode::JisOld:
        return QStringLiteral("ISO-2022-JP");
    case Jconvert::CharCode::Euc:
        return QStringLiteral("EUC-JP");
    case Jconvert::CharCode::Utf8:
        return QStringLiteral("UTF-8");
    }
    return QStringLiteral("Shift_JIS");
}

} // namespace Palettes
