// Whole-file reads and atomic writes of documents, with the messages the user
// sees when they fail.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

struct DocumentRead
{
    bool ok = false;
    QString text;  // the editor's text
    QString error; // the message to show when !ok
    // The file's bytes when saving the unchanged text must write them instead
    // of its encoding (duplicate NEC/IBM character forms); else empty.
    QByteArray verbatim;
};

// Reads and decodes `path`. Refuses a directory, an unreadable file and a
// document of more than MaxDocumentChars characters.
DocumentRead ReadDocument(const QString &path, bool convert);

// Writes `bytes` to a temporary file beside `path` and renames it over `path`,
// so a failed write leaves the previous file whole. On failure *error holds
// the message to show.
bool WriteDocument(const QString &path, const QByteArray &bytes, QString *error);

struct TextWrite
{
    bool written = false;
    qsizetype firstUnencodable = -1; // index in the text, or -1
    QString error;                   // the message to show when a write failed
};

// Writes the editor's text as Shift_JIS with CR LF the way WriteDocument
// writes bytes, encoding piece by piece while the previous piece is written,
// so a large document is never held twice more. With stopAtUnencodable, a
// character code page 932 lacks stops the save before the target is touched
// (not written, no error, firstUnencodable set); otherwise it is written as
// '?'.
TextWrite WriteDocumentText(const QString &path, QStringView text, bool stopAtUnencodable);

QString CannotOpenMessage(const QString &path);
QString CannotCreateMessage(const QString &path);
