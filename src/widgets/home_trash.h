// The user's own trash of the freedesktop trash specification.
#pragma once

#include <QString>

// $XDG_DATA_HOME/Trash (~/.local/share/Trash).
QString HomeTrashPath();

// Creates the home trash with its "files" and "info" folders where missing,
// each missing folder on the way private (0700) as the XDG base directory
// specification asks; true when both folders are there.
bool EnsureHomeTrash();
