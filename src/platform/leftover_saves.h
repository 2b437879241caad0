// Files a save of a document leaves behind only when it is interrupted (the
// program killed, the machine stopped): the safety copy of an in-place
// rewrite, which holds the previous content, and the new file of a replace
// that never got renamed. A running save holds its files locked.
#pragma once

#include <QString>
#include <QStringList>

// Safety copies of `path` that no running save holds, beside it or in the
// cache folder.
QStringList LeftoverSafetyCopies(const QString &path);

// Removes the unfinished new files of `path` that no running save holds;
// returns how many went.
int RemoveLeftoverNewFiles(const QString &path);

// Writes the content of `copy` back into `path` (the same file, so owner,
// mode and links stay) and removes the copy; 0, or the errno of the failure
// (the copy is then kept).
int PutBackSafetyCopy(const QString &copy, const QString &path);
