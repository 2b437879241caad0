// Lines of a loaded file that the user has not touched keep the bytes they had
// in the file: code page 932 holds some characters twice (NEC and IBM forms),
// and re-encoding an untouched line must not change its bytes.
#pragma once

#include "document_store.h"

class QTextDocument;

namespace KeptLines {

// Marks each block of `document`, whose text was just decoded from `bytes`,
// with the bytes of its line.
void Mark(QTextDocument *document, const QByteArray &bytes);

// The ranges of the document's raw text whose lines are unchanged since Mark
// ran at document revision `revision`, with the bytes they come from.
KeptBytes Collect(const QTextDocument &document, const QByteArray &bytes, int revision);

} // namespace KeptLines
