// Whole-file reads and atomic writes of documents, with the messages the user
// sees when they fail.
#pragma once

#include <QByteArray>
#include <QString>

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

QString CannotOpenMessage(const QString &path);
QString CannotCreateMessage(const QString &path);
