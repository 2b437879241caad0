// Where the program keeps its settings and palette sets, and where it finds
// the read-only files shipped with it.
#pragma once

#include <QString>

// Whether settings may live in `dir`: the current user owns it, nobody else
// can write to it, and it is not a folder of installed software.
bool IsPortableFolder(const QString &dir);

// The executable's folder when it is a portable folder, else
// `fallbackDir`, created on first use and seeded with the palette sets
// (*.qmh, *.qmc) shipped beside the executable. Ends with '/'. Empty when
// neither folder can be used.
QString ResolveProgramDir(const QString &executableDir, const QString &fallbackDir);

// ResolveProgramDir for this process: ~/.config/qumoedit/ as the fallback.
QString ProgramDirForThisProcess();

// A shipped file ("readme.txt", "help/index.html", "click.wav"): found in
// `programDir`, beside the executable, or in the installed data folder;
// `programDir` + name when none holds it.
QString ShippedFilePath(const QString &programDir, const QString &name);
