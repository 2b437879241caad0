// Bytes of a document file <-> the editor's text, with the optional Japanese
// code and line-end conversion. No window and no file access here.
#pragma once

#include "code_choices.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

struct LineEnds;

// The options that decide how documents are read and written (held by the
// settings dialog's controls).
struct DocumentCodeOptions
{
    bool autoDecode = false;
    bool decodeAll = false;
    int charCode = 0; // 0 Shift_JIS, 1 JIS, 2 EUC
    int retCode = 0;  // 0 CR+LF, 1 CR, 2 LF
};

// The most characters a document may hold.
inline constexpr qsizetype MaxDocumentChars = 134217728;
// Why a text over MaxDocumentChars is refused, for the user.
QString DocumentLimitText();

// The extension of the file-name part, from its last '.', with the dot;
// empty when there is none.
QString FileExtension(const QString &path);

bool ConvertsOnLoad(const QString &path, const DocumentCodeOptions &options);
bool ConvertsOnSave(const QString &path, const DocumentCodeOptions &options);

// Every line, the last one included, followed by CR LF; lines end at CR LF,
// CR or LF.
std::string JoinLinesWithCrLf(std::string_view bytes);

// The editor text ('\n' line breaks) of a file's bytes: converted to Shift_JIS
// first when `convert` is set. A last line without a line end stays so.
QString DocumentTextFromBytes(QByteArrayView bytes, bool convert);

// The bytes written for the editor's text: Shift_JIS with CR LF, then, when
// `convert` is set and the text is not empty, the chosen code and line end.
QByteArray DocumentBytesFromText(QStringView text, bool convert, const DocumentCodeOptions &options);

// Shift_JIS bytes with CR LF converted exactly to `code` (Shift_JIS, JIS or
// EUC-JP), each line break then written as `ends` gives it.
QByteArray ConvertSavedBytes(const QByteArray &sjis, Jconvert::CharCode code, const LineEnds &ends);
