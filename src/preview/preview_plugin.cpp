// The module's root object: checks the engine's files and makes views.
#include "page_scheme.h"
#include "preview_engine.h"
#include "web_preview.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QObject>

namespace {

// The page process: where the environment names it, else beside Qt's own programs.
QString ProcessFile()
{
    const QString named = qEnvironmentVariable("QTWEBENGINE_PROCESS_PATH");
    if (QFileInfo(named).isFile())
        return named;
    return QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/QtWebEngineProcess");
}

// The engine's resources: only where the environment names them, when it does.
QString ResourcesFile()
{
    const QString named = qEnvironmentVariable("QTWEBENGINE_RESOURCES_PATH");
    const QString folder =
        named.isEmpty() ? QLibraryInfo::path(QLibraryInfo::DataPath) + QStringLiteral("/resources") : named;
    return folder + QStringLiteral("/qtwebengine_resources.pak");
}

} // namespace

class PreviewPlugin : public QObject, public PreviewEngineFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUMO_PREVIEW_ENGINE_IID)
    Q_INTERFACES(PreviewEngineFactory)

public:
    Outcome ready() const override
    {
        // Without them the engine ends the whole program instead of failing.
        const struct
        {
            QString path;
            const char *package;
        } needed[] = {
            {ProcessFile(), "libqt6webenginecore6-bin"},
            {ResourcesFile(), "libqt6webengine6-data"},
        };
        for (const auto &file : needed)
            if (!QFileInfo(file.path).isFile())
                return Outcome::failed(
                    QStringLiteral("ライブプレビューのエンジン (Qt WebEngine) のファイル %1 がありません。"
                                   "パッケージ %2 を入れてください。")
                        .arg(QDir::toNativeSeparators(file.path), QLatin1String(file.package)));
        return {};
    }

    PreviewEngine *create(QWidget *parent, PreviewEvents *events) override
    {
        PageScheme::Register();
        return new WebPreview(parent, events);
    }
};

#include "preview_plugin.moc"
