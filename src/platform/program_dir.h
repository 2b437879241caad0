// Where the program keeps its settings and palette sets, and where it finds
// the read-only files shipped with it.
#pragma once

#include <QString>

// The executable's folder when it is writable (a portable install), else
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
