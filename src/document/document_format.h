// The code, line end and byte-order mark a document's file is written with,
// and how the window names them.
#pragma once

#include "code_choices.h"

#include <QString>
#include <optional>

struct DocumentCodeOptions;

// The codes a document is read and written in. Numbered as recovery copies
// have stored them (2 was once the old JIS form).
enum class DocumentCode { Sjis = 0, Jis = 1, Euc = 3, Utf8 = 4, Utf16Le = 5, Utf16Be = 6 };

// The code a stored number names; nothing for a number that names none.
std::optional<DocumentCode> DocumentCodeOf(qint64 number);
// UTF-8 and UTF-16 hold every character; the others hold Japanese.
constexpr bool IsUnicode(DocumentCode code)
{
    return code == DocumentCode::Utf8 || code == DocumentCode::Utf16Le || code == DocumentCode::Utf16Be;
}

struct DocumentFormat
{
    DocumentCode code = DocumentCode::Sjis;
    Jconvert::ReturnCode lineEnd = Jconvert::ReturnCode::CrLf;
    bool bom = false; // UTF-8 and UTF-16 only

    bool utf8() const { return code == DocumentCode::Utf8; }
    friend bool operator==(const DocumentFormat &, const DocumentFormat &) = default;
};

// A new UTF-8 document: LF, no mark.
inline constexpr DocumentFormat NewUtf8Format{DocumentCode::Utf8, Jconvert::ReturnCode::Lf, false};

// The code and line end the options convert to under `path`: nothing where
// they leave the document's own (Shift_JIS and CR LF convert nothing).
std::optional<DocumentCode> OptionsCode(const QString &path, const DocumentCodeOptions &options);
std::optional<Jconvert::ReturnCode> OptionsLineEnd(const QString &path, const DocumentCodeOptions &options);

// "SJIS CRLF", "EUC LF", "UTF-8 BOM CRLF", "UTF-16LE CRLF"; a document whose
// lines end in different ways shows "混在" for its line end.
QString FormatName(const DocumentFormat &format, bool mixedLineEnds = false);

// "SJIS", "JIS", "EUC", "UTF-8", "UTF-16LE", "UTF-16BE".
QString CodeName(DocumentCode code);
QString LineEndName(Jconvert::ReturnCode lineEnd);
// The name HTML gives the code in <meta charset>, as the IANA registry and
// browsers spell it: "Shift_JIS", "ISO-2022-JP", "EUC-JP", "UTF-8", "UTF-16LE".
QString CharsetName(DocumentCode code);
