#include "module_folders.h"

#include <QCoreApplication>
#include <QLibrary>

QStringList ModuleFolders()
{
    const QString here = QCoreApplication::applicationDirPath();
    return {here, here + QStringLiteral("/../" QUMO_MODULE_DIR)};
}

QFunctionPointer ModuleEntry(const QStringList &folders, const QString &name, const char *symbol,
                             QStringList *errors)
{
    for (const QString &folder : folders) {
        QLibrary module(folder + u'/' + name);
        // What it made may outlive whoever asked for it.
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (const QFunctionPointer entry = module.resolve(symbol))
            return entry;
        if (errors != nullptr)
            errors->append(module.errorString());
    }
    return nullptr;
}
