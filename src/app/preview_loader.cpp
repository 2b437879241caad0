#include "preview_loader.h"

#include "preview_engine.h"
#include "preview_environment.h"

#include <QDir>
#include <QPluginLoader>

LoadedPreviewEngine LoadPreviewEngine(const QStringList &folders)
{
    ShareOpenGLContextsForPreviewEngine();
    QStringList errors;
    for (const QString &folder : folders) {
        QPluginLoader module(folder + QStringLiteral("/qumo_preview"));
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (!module.load()) {
            errors << module.errorString();
            continue;
        }
        auto *factory = qobject_cast<PreviewEngineFactory *>(module.instance());
        if (factory == nullptr)
            return {
                Outcome::failed(QStringLiteral("プレビューの部品 %1 は、このプログラムのものではありません。")
                                    .arg(QDir::toNativeSeparators(module.fileName()))),
                nullptr};
        Outcome ready = factory->ready();
        const bool usable = ready.done();
        return {std::move(ready), usable ? factory : nullptr};
    }
    return {Outcome::failed(
                QStringLiteral("ライブプレビューの部品 (qumo_preview) が見つからないか、読み込めません。"
                               "Qt WebEngine (qt6-webengine) が入っているか確かめてください。\n\n%1")
                    .arg(errors.join(u'\n'))),
            nullptr};
}
