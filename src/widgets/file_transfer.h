// Moving or copying one file or folder into a folder without ever losing it:
// a failed step leaves the source where it was, a copy lands under a
// temporary name and is renamed into place only when complete, and a move
// across devices removes the source only after its copy is whole.
#pragma once

#include "outcome.h"

#include <QString>
#include <functional>

namespace FileTransfer {

enum class Mode { Move, Copy };

struct Result
{
    Outcome outcome;     // done: the item is at its destination; declined: the user kept both files
    QString destination; // where it is (or would have been)
};

// Asked with the destination path before an existing file there is replaced; false keeps both files.
using ConfirmOverwrite = std::function<bool(const QString &existing)>;

// Moves or copies `source` into the folder `folder`.
Result Transfer(const QString &source, const QString &folder, Mode mode, const ConfirmOverwrite &confirm);

namespace detail {
// Copies `source` to `destination` through a temporary name beside it; done when whole.
Outcome CopyIntoPlace(const QString &source, const QString &destination);
} // namespace detail

} // namespace FileTransfer
