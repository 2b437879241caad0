// How many bytes the editor's text takes in a document's code, and the bytes
// of one character, as the document would be written.
#pragma once

#include "code_choices.h"

#include <QByteArray>
#include <QStringView>

namespace TextTools {

// The codes a document is written in, as far as its bytes go.
enum class ByteCode { Sjis, Jis, Euc, Utf8, Utf16Le, Utf16Be };

// The bytes `text` ('\n' line breaks) is written as in `code`, each line
// break as `lineEnd`; a character the code lacks counts as the '?' written
// for it, a byte kept from the file as itself.
qsizetype EncodedSize(QStringView text, ByteCode code, Jconvert::ReturnCode lineEnd);

// The bytes of a line break written as `lineEnd`.
QByteArray LineBreakBytes(ByteCode code, Jconvert::ReturnCode lineEnd);

// The bytes of the one character `character` in `code`, without JIS's
// shifts; empty when the code lacks it.
QByteArray CharacterBytes(QStringView character, ByteCode code);

} // namespace TextTools
