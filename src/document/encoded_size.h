// How many bytes the editor's text takes in a document's code, and the bytes
// of one character, as the document's own encoder writes them.
#pragma once

#include "document_format.h"

#include <QByteArray>
#include <QStringView>

// The bytes `text` ('\n' line breaks) is written as in `code`, each line break
// as `lineEnd`, without a byte-order mark; a character the code lacks counts
// as the '?' written for it, a byte kept from the file as itself.
qsizetype EncodedSize(QStringView text, DocumentCode code, Jconvert::ReturnCode lineEnd);

// The bytes of the one character `character` ("\n": a line break written as
// `lineEnd`) in `code`, without JIS's shifts; empty when the code lacks it.
QByteArray CharacterBytes(QStringView character, DocumentCode code, Jconvert::ReturnCode lineEnd);
