#include "document_format.h"

#include "document_codec.h"

#include <algorithm>

using Jconvert::CharCode;
using Jconvert::ReturnCode;

namespace {

// The options' numbering of the codes and line ends a save can convert to.
constexpr CharCode OptionCodes[] = {CharCode::Sjis, CharCode::Jis, CharCode::Euc};
constexpr ReturnCode OptionLineEnds[] = {ReturnCode::CrLf, ReturnCode::Cr, ReturnCode::Lf};

} // namespace

DocumentFormat OptionsFormat(const QString &path, const DocumentCodeOptions &options)
{
    if (!ConvertsOnSave(path, options))
        return {};
    return {OptionCodes[std::clamp(options.charCode, 0, 2)],
            OptionLineEnds[std::clamp(options.retCode, 0, 2)], false};
}

QString CodeName(CharCode code)
{
    switch (code) {
    case CharCode::Sjis:
        return QStringLiteral("SJIS");
    case CharCode::Jis:
    case CharCode::JisOld:
        return QStringLiteral("JIS");
    case CharCode::Euc:
        return QStringLiteral("EUC");
    case CharCode::Utf8:
        return QStringLiteral("UTF-8");
    }
    return {};
}

QString LineEndName(ReturnCode lineEnd)
{
    switch (lineEnd) {
    case ReturnCode::CrLf:
        return QStringLiteral("CRLF");
    case ReturnCode::Cr:
        return QStringLiteral("CR");
    case ReturnCode::Lf:
        return QStringLiteral("LF");
    }
    return {};
}

QString FormatName(const DocumentFormat &format, bool mixedLineEnds)
{
    QString name = CodeName(format.code);
    if (format.utf8() && format.bom)
        name += QStringLiteral(" BOM");
    return name + u' ' + (mixedLineEnds ? QStringLiteral("混在") : LineEndName(format.lineEnd));
}
