// Palette set files in the program folder: set name + extension.
#pragma once

#include "palette_kind.h"
#include "set_list.h"

#include <QString>
#include <QStringList>

namespace Palettes {

// Larger files are not sets; reading them whole could hold the window.
inline constexpr qint64 MaxSetFileBytes = 2 * 1024 * 1024;

// Why `name` cannot name a set file (empty, a path separator, "..", a control character);
// empty when it can.
QString SetNameProblem(const QString &name);

// programDir (ending with '/') + name + the kind's extension; empty with *problem set when the
// name is refused.
QString SetFilePath(const QString &programDir, const QString &name, const PaletteKind &kind,
                    QString *problem);

// The names of the kind's set files in programDir, in case-insensitive order.
QStringList ListSets(const QString &programDir, const PaletteKind &kind);
// ListSets of the tag sets (*.qmh).
QStringList ListTagSets(const QString &programDir);
// ListSets of the clip sets (*.qmc).
QStringList ListClipSets(const QString &programDir);

struct SetRead
{
    enum Status {
        Read,
        Missing, // no such file: not an error, nothing changes
        Failed,  // `message` says why
    };
    Status status = Failed;
    SetList list;
    QString message;
};

// The set `name` of the kind, read from programDir.
SetRead ReadSet(const QString &programDir, const QString &name, const PaletteKind &kind);

// Writes `list` as the set `name`, replacing its file only when the whole new file is written.
// Empty on success, else the message to show; the file is then as it was.
QString SaveSet(const QString &programDir, const QString &name, const PaletteKind &kind, const SetList &list);

// Deletes the set file `name`. A missing or locked file is not reported; a refused name is.
QString DeleteSet(const QString &programDir, const QString &name, const PaletteKind &kind);

} // namespace Palettes
