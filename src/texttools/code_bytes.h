// How many bytes the editor's text takes in a document's code, and the bytes
// of one character, as the document would be written.
#pragma once

#include "code_choices.h"

#include <QByteArray>
#include <QStringView>

namespace TextTools {

// The bytes `text` ('\n' line breaks) is written as in `code`, each line
// break as `lineEnd`; a character the code lacks counts as the '?' written
// for it, a byte kept from the file as itself.
qsizetype EncodedSize(QStringView text, Jconvert::CharCode code, Jconvert::ReturnCode lineEnd);

// The bytes of the one character `character` in `code`, without JIS's
// shifts; empty when the code lacks it.
QByteArray CharacterBytes(QStringView character, Jconvert::CharCode code);

} // namespace TextTools
