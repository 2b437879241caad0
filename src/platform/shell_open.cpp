#include "shell_open.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool OpenDocument(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool OpenUrl(const QString &url)
{
    return OpenUrl(QUrl(url));
}

bool OpenUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool StartProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}
