#include "document_format.h"

#include "document_codec.h"

using Jconvert::ReturnCode;

std::optional<DocumentCode> DocumentCodeOf(qint64 number)
{
    for (const DocumentCode code : {DocumentCode::Sjis, DocumentCode::Jis, DocumentCode::Euc,
                                    DocumentCode::Utf8, DocumentCode::Utf16Le, DocumentCode::Utf16Be}) {
        if (qint64(code) == number)
            return code;
    }
    return std::nullopt;
}

std::optional<DocumentCode> OptionsCode(const QString &path, const DocumentCodeOptions &options)
{
    if (options.charCode == 0 || !ConvertsOnSave(path, options))
        return std::nullopt;
    return options.charCode == 1 ? DocumentCode::Jis : DocumentCode::Euc;
}

std::optional<ReturnCode> OptionsLineEnd(const QString &path, const DocumentCodeOptions &options)
{
    if (options.retCode == 0 || !ConvertsOnSave(path, options))
        return std::nullopt;
    return options.retCode == 1 ? ReturnCode::Cr : ReturnCode::Lf;
}

QString CodeName(DocumentCode code)
{
    switch (code) {
    case DocumentCode::Sjis:
        return QStringLiteral("SJIS");
    case DocumentCode::Jis:
        return QStringLiteral("JIS");
    case DocumentCode::Euc:
        return QStringLiteral("EUC");
    case DocumentCode::Utf8:
        return QStringLiteral("UTF-8");
    case DocumentCode::Utf16Le:
        return QStringLiteral("UTF-16LE");
    case DocumentCode::Utf16Be:
        return QStringLiteral("UTF-16BE");
    }
    return {};
}

QString CharsetName(DocumentCode code)
{
    switch (code) {
    case DocumentCode::Sjis:
        return QStringLiteral("Shift_JIS");
    case DocumentCode::Jis:
        return QStringLiteral("ISO-2022-JP");
    case DocumentCode::Euc:
        return QStringLiteral("EUC-JP");
    case DocumentCode::Utf8:
        return QStringLiteral("UTF-8");
    case DocumentCode::Utf16Le:
        return QStringLiteral("UTF-16LE");
    case DocumentCode::Utf16Be:
        return QStringLiteral("UTF-16BE");
    }
    return QStringLiteral("Shift_JIS");
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
    // A UTF-16 name already says how its bytes go.
    if (format.utf8() && format.bom)
        name += QStringLiteral(" BOM");
    return name + u' ' + (mixedLineEnds ? QStringLiteral("混在") : LineEndName(format.lineEnd));
}
