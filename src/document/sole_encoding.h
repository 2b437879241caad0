// A text's bytes in a code, when nothing else in that code reads as it: a
// search of a file's bytes for them then misses none of its matches.
#pragma once

#include "document_format.h"

#include <QByteArray>
#include <QStringView>
#include <optional>

// The bytes of `text` in `code` (Shift_JIS, EUC-JP or UTF-8), line breaks
// aside, when each of its characters has those bytes as its only form there;
// nothing when one has another form (the NEC and IBM rows), none, or the code
// is another.
std::optional<QByteArray> SoleEncoding(QStringView text, DocumentCode code);
