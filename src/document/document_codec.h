// The options by which documents are read and written, and the rules that
// decide which documents they apply to. No window and no file access here.
#pragma once

#include <QString>

// The options that decide how documents are read and written (part of the
// options the settings dialog produces).
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

// Whether AutoDecode applies to `path`: text that may be EUC-JP or Shift_JIS
// is then read as EUC-JP.
bool ConvertsOnLoad(const QString &path, const DocumentCodeOptions &options);
// Whether the options' save code and line end apply to `path`.
bool ConvertsOnSave(const QString &path, const DocumentCodeOptions &options);
