// What a document is besides its text: enough to rebuild it from a recovery
// copy so that it saves exactly as it would have.
#pragma once

#include "document_format.h"
#include "file_identity.h"

#include <QByteArray>
#include <QString>
#include <optional>

struct DocumentState
{
    QString path;
    FileIdentity identity; // of the file as last read or written; !exists for a new document
    std::optional<DocumentFormat> ownFormat; // else the options decide
    bool mixedLineEnds = false;
    // The file bytes whose lines are written back as they were read; empty
    // when no line is kept.
    QByteArray keptSource;
    // The file's most common line end, which lines without a mark take.
    Jconvert::ReturnCode lineEnd = Jconvert::ReturnCode::CrLf;
    // The code of the kept bytes and, without a format of its own, the
    // document's: the code the file was read in.
    DocumentCode code = DocumentCode::Sjis;

    bool holdsFile() const { return identity.exists; }
    friend bool operator==(const DocumentState &, const DocumentState &) = default;
};
