// Reads a whole regular file, refusing what cannot be a document.
#pragma once

#include "file_identity.h"

#include <QByteArray>
#include <QString>
#include <sys/types.h>

struct FileRead
{
    enum Status {
        Ok,
        SystemError, // `error` holds the errno
        NotRegular,  // a FIFO, device or socket: `kind` names it
        TooLarge,    // more than the limit
    };
    Status status = SystemError;
    int error = 0;
    QString kind;
    QByteArray bytes;
    FileIdentity identity; // of the file that was read
};

// What a file that is neither a folder nor a regular file is, for the user:
// "名前付きパイプ (FIFO)", "デバイス", "ソケット".
QString SpecialFileKind(mode_t mode);

// The bytes of `path` when it is a regular file of at most maxBytes bytes.
// Never waits for a writer (FIFO) and never reads past maxBytes.
FileRead ReadRegularFile(const QString &path, qint64 maxBytes);
// The same from a descriptor opened for reading, which stays the caller's to close.
FileRead ReadRegularFile(int fd, qint64 maxBytes);
