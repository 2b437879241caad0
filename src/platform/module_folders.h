// Where the program's modules (libraries it loads when first needed) are,
// and how a module's entry point is found.
#pragma once

#include <QFunctionPointer>
#include <QStringList>

// Beside the program (the build, a portable copy), then where it is installed.
QStringList ModuleFolders();

// The entry point `symbol` of the module `name` ("qumo_sound") in the first
// of `folders` that loads, kept loaded until the process ends; null when
// none has it, with each folder's reason in `errors` when given.
QFunctionPointer ModuleEntry(const QStringList &folders, const QString &name, const char *symbol,
                             QStringList *errors = nullptr);
