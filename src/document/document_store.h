// Whole-file reads and safe writes of documents, with the messages the user
// sees when they fail.
#pragma once

#include "system_reason.h"

#include "code_detection.h"
#include "document_format.h"
#include "file_identity.h"
#include "file_read.h"
#include "line_ends.h"
#include "outcome.h"
#include "text_codec.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// How a file's code is chosen: named, or detected (DetectCode) with text
// that may be EUC-JP or Shift_JIS taken as EUC-JP when `undecidedIsEuc`.
struct CodeChoice
{
    std::optional<DocumentCode> code;
    bool undecidedIsEuc = false;
};

struct DocumentRead
{
    Outcome outcome;
    QString text; // the editor's text
    // The file's bytes when some line must be written back as it was read
    // (duplicate character forms, JIS escape sequences); else empty.
    QByteArray original;
    FileIdentity identity; // of the file that was read
    DocumentCode code = DocumentCode::Sjis;
    bool bom = false;    // the file starts with the code's byte-order mark
    bool binary = false; // binary data, which no conversion may touch
    LineEnds lineEnds;   // as the file's lines end
};

// A document file's bytes and the code they are read in, not yet decoded.
struct DocumentBytes
{
    Outcome outcome;
    FileRead file;
    DetectedCode detected;
    // The bytes after the byte-order mark.
    QByteArrayView body() const;
};

// Reads `path` and decides its code as ReadDocument does, decoding nothing.
DocumentBytes ReadDocumentBytes(const QString &path, const CodeChoice &choice);
// The document of bytes that ReadDocumentBytes read from `path`.
DocumentRead DecodeDocumentBytes(const QString &path, DocumentBytes bytes);
// Reads and decodes `path` in the code `choice` gives. Refuses a folder,
// anything but a regular file, an unreadable file, a name that is not valid
// UTF-8 and a document of more than MaxDocumentChars characters.
DocumentRead ReadDocument(const QString &path, const CodeChoice &choice);

// A range of the editor's text written as bytes of the file it came from.
struct KeptRange
{
    qsizetype textFrom, textTo;
    qsizetype byteFrom, byteTo;
    KeptShift shift;
};
// The file's bytes and the ranges taken from them, in text order.
struct KeptBytes
{
    QByteArray bytes;
    std::vector<KeptRange> ranges;
};

// `text` in `format` (no byte-order mark), its breaks as `ends` gives them,
// kept ranges copied from their bytes; a character the code lacks is written
// as '?'.
EncodedText EncodeDocumentText(QStringView text, const DocumentFormat &format, const LineEnds &ends,
                               const KeptBytes *kept = nullptr);

// Writes `bytes` so that a failed write leaves the previous file whole and a
// file keeps its owner, group, mode and hard links.
Outcome WriteDocument(const QString &path, const QByteArray &bytes);

struct TextWrite
{
    Outcome outcome;
    qsizetype firstUnencodable = -1; // index in the text, or -1
};

// Writes the byte-order mark when the format has one, then
// EncodeDocumentText(text, format, ends, kept), the way WriteDocument writes
// bytes, encoding piece by piece while the previous piece is written, so a
// large document is never held twice more. With stopAtUnencodable, a
// character the code lacks stops the save before the target is touched
// (declined, firstUnencodable set); otherwise it is written as '?'.
TextWrite WriteDocumentText(const QString &path, QStringView text, bool stopAtUnencodable,
                            const DocumentFormat &format = {},
                            const LineEnds &ends = {Jconvert::ReturnCode::CrLf, {}},
                            const KeptBytes *kept = nullptr);

// Why `path` could not be read, for the user.
QString ReadFailureMessage(const QString &path, const FileRead &read);
