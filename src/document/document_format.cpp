#include "document_format.h"

#include "document_codec.h"

#include <algorithm>

using Jconvert::CharCode;
using Jconvert::ReturnCode;

namespace {

// The options' numbering of the codes and line ends a save can convert to.
constexpr CharCode OptionCodes[] = {CharCode::Sjis, CharCode::Jis, CharCode::Euc};
constexpr ReturnCode OptionLineEnds[] = {ReturnCode::CrLf, ReturnCode::Cr, ReturnCode::Lf};

template <typename T, std::size_t N> int IndexOf(const T (&values)[N], T value)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (values[i] == value)
            return int(i);
    }
    return 0;
}

} // namespace

DocumentFormat OptionsFormat(const QString &path, const DocumentCodeOptions &options)
{
    if (!ConvertsOnSave(path, options))
        return {};
    return {OptionCodes[std::clamp(options.charCode, 0, 2)],
            OptionLineEnds[std::clamp(options.retCode, 0, 2)], false};
}

DocumentCodeOptions ConversionOf(const DocumentFormat &format)
{
    DocumentCodeOptions options;
    options.charCode = IndexOf(OptionCodes, format.code);
    options.retCode = IndexOf(OptionLineEnds, format.lineEnd);
    return options;
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
