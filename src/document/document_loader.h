// Reads and decodes a document on a worker thread while the window's thread
// goes on repainting, moving and resizing the window (input waits), so a
// large file does not freeze the window while it is read.
#pragma once

#include "document_store.h"

#include <QStringView>
#include <functional>

// ReadDocument(path, choice), run aside; returns when it is done.
DocumentRead ReadDocumentAside(const QString &path, const CodeChoice &choice);

class QTextDocument;

// Replaces the text of `document` by `text`, as QTextDocument::setPlainText
// does, in pieces of whole lines of about `pieceChars` characters, calling
// `between` after each so that the window can repaint meanwhile, and `taken`
// with how many characters of `text` the editor holds so far.
void SetTextInPieces(QTextDocument &document, QStringView text, qsizetype pieceChars,
                     const std::function<void()> &between, const std::function<void(qsizetype)> &taken = {});
