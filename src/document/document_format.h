// The code, line end and byte-order mark a document's file is written with,
// and how the window names them.
#pragma once

#include "code_choices.h"

#include <QString>

struct DocumentCodeOptions;

struct DocumentFormat
{
    Jconvert::CharCode code = Jconvert::CharCode::Sjis;
    Jconvert::ReturnCode lineEnd = Jconvert::ReturnCode::CrLf;
    bool bom = false; // UTF-8 only

    bool utf8() const { return code == Jconvert::CharCode::Utf8; }
    friend bool operator==(const DocumentFormat &, const DocumentFormat &) = default;
};

// A new UTF-8 document: LF, no mark.
inline constexpr DocumentFormat NewUtf8Format{Jconvert::CharCode::Utf8, Jconvert::ReturnCode::Lf, false};

// What the options write under `path`: their code and line end where they
// convert, else Shift_JIS with CR LF.
DocumentFormat OptionsFormat(const QString &path, const DocumentCodeOptions &options);

// "SJIS CRLF", "UTF-8 LF", "UTF-8 BOM CRLF"; a document whose lines end in
// different ways shows "混在" for its line end.
QString FormatName(const DocumentFormat &format, bool mixedLineEnds = false);

// The names the save dialog lists, in the order of their enums.
QString CodeName(Jconvert::CharCode code);
QString LineEndName(Jconvert::ReturnCode lineEnd);
