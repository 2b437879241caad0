#include "preview_environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <unistd.h>

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

void PrepareForPreviewEngine()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (!detail::GpuRenders(qgetenv("QT_QPA_PLATFORM"))) {
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.split(' ').contains("--disable-gpu"))
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags.isEmpty() ? flags : flags + ' ') + "--disable-gpu");
    }
}
