#include "module_folders.h"

#include <QCoreApplication>

QStringList ModuleFolders()
{
    const QString here = QCoreApplication::applicationDirPath();
    return {here, here + QStringLiteral("/../" QUMO_MODULE_DIR)};
}
