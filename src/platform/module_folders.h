// Where the program's modules (libraries it loads when first needed) are.
#pragma once

#include <QStringList>

// Beside the program (the build, a portable copy), then where it is installed.
QStringList ModuleFolders();
