// The files a folder search reads: the regular files of a folder (and of its
// subfolders) whose names match, in name order, each once. Hidden names
// (starting with '.') are passed over as file views do. What cannot be read
// as a document is named with the reason, never opened: a FIFO would wait for
// a writer and a device may act on being opened.
#pragma once

#include <QString>
#include <atomic>
#include <functional>

namespace FolderSearch {

class NameFilter;

enum class SkipReason {
    Binary,          // holds NUL bytes and is no UTF-16 with a byte-order mark
    TooLarge,        // more than a document may hold
    Special,         // a FIFO, device or socket
    Unreadable,      // a folder or file that cannot be read, a link to nothing
    LinkLoop,        // a symbolic link back to a folder above it, or a link chain without end
    AlreadySearched, // the same file or folder under another name (links)
};

// "バイナリファイル", "大きすぎるファイル", ...
QString ReasonName(SkipReason reason);

struct Skipped
{
    QString path;
    SkipReason reason;
    QString detail; // the system's reason, the kind of a special file; may be empty
};

struct WalkSink
{
    std::function<void(const QString &path)> file;
    std::function<void(const Skipped &skipped)> skip;
};

// Calls sink.file for every regular file under `folder` (its subfolders too
// when `subfolders`) whose name `names` matches, symbolic links followed, and
// sink.skip for what is passed over. Returns early once `stop` is set.
void WalkFolder(const QString &folder, const NameFilter &names, bool subfolders, const WalkSink &sink,
                const std::atomic_bool &stop);

} // namespace FolderSearch
