// The user's home trash, where file managers on Linux desktops look for it.
#pragma once

#include "outcome.h"

#include <QByteArray>
#include <QString>

// $XDG_DATA_HOME/Trash (~/.local/share/Trash).
QString HomeTrashPath();

// Creates the home trash with its "files" and "info" folders where missing,
// each missing folder on the way private (0700), as every user data folder
// is; true when both folders are there.
bool EnsureHomeTrash();

struct TrashCopy
{
    Outcome outcome;
    QString name; // in the trash's "files" folder
};

// Puts `bytes`, the content the file `path` had, in the home trash as that
// file deleted now, with its .trashinfo and the file's permissions, so that a
// file manager puts it back in place; the file itself is left alone. The copy
// is on the disk when this returns.
TrashCopy CopyToHomeTrash(const QString &path, const QByteArray &bytes);
// Takes a copy CopyToHomeTrash made out of the trash again.
void RemoveFromHomeTrash(const QString &name);
