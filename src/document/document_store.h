// Whole-file reads and safe writes of documents, with the messages the user
// sees when they fail.
#pragma once

#include "system_reason.h"

#include "file_identity.h"
#include "file_read.h"
#include "outcome.h"
#include "utf8_document.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <vector>

struct DocumentRead
{
    Outcome outcome;
    QString text; // the editor's text
    // The file's bytes when its lines must be written back as they were read
    // (duplicate NEC/IBM character forms); else empty.
    QByteArray original;
    FileIdentity identity; // of the file that was read
    // A UTF-8 document, decoded as UTF-8 whatever `convert` said, and
    // whether it starts with the byte-order mark.
    bool utf8 = false;
    bool bom = false;
    LineEnds lineEnds; // as the file's lines end
};

// Reads and decodes `path`: a UTF-8 document (Jconvert::IsUtf8Document) as
// UTF-8, anything else as Shift_JIS, after conversion when `convert`. Refuses a folder, anything but a
// regular file, an unreadable file, a name that is not valid UTF-8 and a document of more than
// MaxDocumentChars characters.
DocumentRead ReadDocument(const QString &path, bool convert);

// A range of the editor's text written as bytes of the file it came from.
struct KeptRange
{
    qsizetype textFrom, textTo;
    qsizetype byteFrom, byteTo;
};
// The file's bytes and the ranges taken from them, in text order.
struct KeptBytes
{
    QByteArray bytes;
    std::vector<KeptRange> ranges;
};

// Shift_JIS with CR LF for `text`, kept ranges copied from their bytes.
// *firstUnencodable, when asked for, is the first character the code page
// lacks (written as '?'), or -1.
QByteArray EncodeDocument(QStringView text, const KeptBytes *kept, qsizetype *firstUnencodable = nullptr);

// Writes `bytes` so that a failed write leaves the previous file whole and a
// file keeps its owner, group, mode and hard links.
Outcome WriteDocument(const QString &path, const QByteArray &bytes);

struct TextWrite
{
    Outcome outcome;
    qsizetype firstUnencodable = -1; // index in the text, or -1
};

// Writes EncodeDocument(text, kept), its breaks as `ends` gives them, the way WriteDocument writes bytes,
// encoding piece by piece while the previous piece is written, so a large
// document is never held twice more. With stopAtUnencodable, a character code
// page 932 lacks stops the save before the target is touched (declined,
// firstUnencodable set); otherwise it is written as '?'.
TextWrite WriteDocumentText(const QString &path, QStringView text, bool stopAtUnencodable,
                            const KeptBytes *kept = nullptr,
                            const LineEnds &ends = {Jconvert::ReturnCode::CrLf, {}});

// Writes `text` as UTF-8 with the line ends given, the byte-order mark first
// when `bom`, as WriteDocumentText writes; UTF-8 holds every character.
TextWrite WriteUtf8DocumentText(const QString &path, QStringView text, const LineEnds &ends, bool bom);

// Why `path` could not be read, for the user.
QString ReadFailureMessage(const QString &path, const FileRead &read);
