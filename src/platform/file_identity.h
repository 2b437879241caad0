// Which file a path names and in which state: what the editor remembers to
// notice that another program changed or replaced the document.
#pragma once

#include <QString>
#include <sys/types.h>

struct stat;

struct FileIdentity
{
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0; // modification time in nanoseconds

    // The file `path` names now, symbolic links followed.
    static FileIdentity Of(const QString &path);
    // The file open as `fd`.
    static FileIdentity OfDescriptor(int fd);
    // The file `st` describes, from a stat already made.
    static FileIdentity OfStat(const struct stat &st);

    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};
