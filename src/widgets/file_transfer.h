// Moving or copying one file or folder into a folder without ever losing it:
// a failed step leaves the source where it was, a copy lands under a
// temporary name and is renamed into place only when complete, and a move
// across devices removes the source only after its copy is whole.
#pragma once

#include <QString>
#include <functional>

namespace FileTransfer {

enum class Mode { Move, Copy };

struct Result
{
    bool done = false;   // the item is at its destination
    QString message;     // why not, or a warning when done
    QString destination; // where it is (or would have been)
};

// Asked with the destination path before an existing file there is replaced; false keeps both files.
using ConfirmOverwrite = std::function<bool(const QString &existing)>;

// Moves or copies `source` into the folder `folder`.
Result Transfer(const QString &source, const QString &folder, Mode mode, const ConfirmOverwrite &confirm);

namespace detail {
// Copies `source` to `destination` through a temporary name beside it; true when whole.
bool CopyIntoPlace(const QString &source, const QString &destination, QString &error);
} // namespace detail

} // namespace FileTransfer
