#include "preview_environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QOpenGLContext>
#include <unistd.h>

// Qt's own, exported for Qt WebEngine, which declares it the same way.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
QT_END_NAMESPACE

namespace PreviewEnvironment {
namespace detail {

bool GpuRenders(const QByteArray &platform)
{
    if (platform.startsWith("offscreen") || platform.startsWith("minimal"))
        return false;
    const QDir devices(QStringLiteral("/dev/dri"));
    const QStringList nodes = devices.entryList({QStringLiteral("renderD*")}, QDir::System);
    for (const QString &node : nodes)
        if (::access(QFile::encodeName(devices.filePath(node)).constData(), R_OK | W_OK) == 0)
            return true;
    return false;
}

} // namespace detail
} // namespace PreviewEnvironment

void PrepareForPreviewEngine()
{
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (!PreviewEnvironment::detail::GpuRenders(qgetenv("QT_QPA_PLATFORM"))) {
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.split(' ').contains("--disable-gpu"))
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags.isEmpty() ? flags : flags + ' ') + "--disable-gpu");
    }
}

void ShareOpenGLContextsForPreviewEngine()
{
    static QOpenGLContext *shared = nullptr;
    if (shared != nullptr || QOpenGLContext::globalShareContext() != nullptr)
        return;
    shared = new QOpenGLContext;
    shared->setFormat(QSurfaceFormat::defaultFormat());
    shared->create();
    qt_gl_set_global_share_context(shared);
    // Gone with the application object, before the platform it was made on.
    qAddPostRoutine([] {
        qt_gl_set_global_share_context(nullptr);
        delete shared;
        shared = nullptr;
    });
    // What the engine's own widgets test; set this late Qt warns that it is
    // late, which nobody needs to read: the context it stands for is made.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qInstallMessageHandler(previous);
}
