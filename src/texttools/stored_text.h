// The editor's text as it is stored, for functions that rewrite it:
// QTextDocument::toPlainText would turn no-break spaces into spaces.
#pragma once

#include <QString>

class QTextCursor;
class QTextDocument;

namespace TextTools {

// The whole text, one '\n' per line break, without soft breaks
// (DisplayBlocks maps positions).
QString StoredText(const QTextDocument &document);
// The selected text, one '\n' per line break.
QString StoredSelection(const QTextCursor &cursor);

} // namespace TextTools
