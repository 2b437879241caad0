// Palette set files in the program folder: set name + extension.
#pragma once

#include "outcome.h"
#include "palette_kind.h"
#include "set_list.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace Palettes {

// Larger files are not sets; reading them whole could hold the window.
inline constexpr qint64 MaxSetFileBytes = 2 * 1024 * 1024;

// Why `name` cannot name a set file (empty, a path separator, "..", a control character);
// empty when it can.
QString SetNameProblem(const QString &name);

// A set's file: programDir (ending with '/') + name + the kind's extension; failed, with no
// path, when the name is refused.
struct SetFile
{
    QString path;
    Outcome outcome;
};
SetFile SetFilePath(const QString &programDir, const QString &name, const PaletteKind &kind);

// The names of the kind's set files in programDir, in case-insensitive order.
QStringList ListSets(const QString &programDir, const PaletteKind &kind);
// ListSets of the tag sets (*.qmh).
QStringList ListTagSets(const QString &programDir);
// ListSets of the clip sets (*.qmc).
QStringList ListClipSets(const QString &programDir);

struct SetRead
{
    // Declined when there is no such file: not an error, nothing changes.
    Outcome outcome;
    SetList list;
    QString path; // of the set's file, when the name is one
};

// The set `name` of the kind, read from programDir. A file cut at a NUL gives the lines before it.
SetRead ReadSet(const QString &programDir, const QString &name, const PaletteKind &kind);

// Writes `list` as the set `name`, a set with no file yet, replacing a file only when the whole
// new file is written. On failure the file is as it was.
Outcome SaveSet(const QString &programDir, const QString &name, const PaletteKind &kind, const SetList &list);

struct SetDefinition
{
    QString name;   // the set box's text
    int number = 0; // the button's record number
    ButtonDefinition definition;
    SetList inMemory;   // the set the palette shows
    QString loadedPath; // the file `inMemory` was read from; empty for a new set
};

struct SetDefined
{
    Outcome outcome;               // on failure the file is as it was
    std::optional<SetList> merged; // when done: the set as its file now holds it
    QString path;                  // of the file written
};

// Defines a button in a set file shared with other windows and programs. An existing file is
// read again, whole, and only this button's record in it changes, every other byte kept. A missing
// file is created from the set in memory with the definition, unless the set was loaded from it
// and it is gone since. A file that cannot be read whole (too large, unreadable, cut at a NUL) is
// never written.
SetDefined DefineInSet(const QString &programDir, const PaletteKind &kind, const SetDefinition &change);

// Deletes the set file `name`. A missing or locked file is not reported; a refused name is.
Outcome DeleteSet(const QString &programDir, const QString &name, const PaletteKind &kind);

} // namespace Palettes
