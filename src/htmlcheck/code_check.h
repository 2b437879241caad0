// The characters of a text a code cannot hold, and the bytes a document
// keeps because they were no character, found with the document's own
// encoders.
#pragma once

#include "document_format.h"
#include "findings.h"
#include "text_positions.h"

namespace HtmlCheck {

// Each kind of character finding stops after this many, with one more
// saying that there are others.
inline constexpr qsizetype MaxCharacterFindings = 100;

// The characters of `text` that `code` cannot hold, as findings of
// `severity`; `holder` names what cannot hold them ("保存する文字コード Shift_JIS").
QList<Finding> UnholdableCharacters(QStringView text, const LineIndex &lines, DocumentCode code,
                                    Severity severity, const QString &holder);

// Bytes of the file that were no character in its code: kept as read, but
// no reader can show them. One finding for each run.
QList<Finding> KeptBytes(QStringView text, const LineIndex &lines);

} // namespace HtmlCheck
