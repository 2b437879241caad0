// Handing files and links to the desktop, and starting other programs.
#pragma once

#include <QString>
#include <QStringList>

class QUrl;

// Opens a local file with its default application.
bool OpenDocument(const QString &path);

// Opens a URL ("http://", "mailto:", "file:") with its default application.
bool OpenUrl(const QString &url);
bool OpenUrl(const QUrl &url);

// Starts `program` with `arguments`, detached, without a shell.
bool StartProgram(const QString &program, const QStringList &arguments);
