// The user's home trash, where file managers on Linux desktops look for it.
#pragma once

#include <QString>

// $XDG_DATA_HOME/Trash (~/.local/share/Trash).
QString HomeTrashPath();

// Creates the home trash with its "files" and "info" folders where missing,
// each missing folder on the way private (0700), as every user data folder
// is; true when both folders are there.
bool EnsureHomeTrash();
