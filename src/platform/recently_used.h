// The desktop's list of recently used files (recently-used.xbel, the
// freedesktop desktop-bookmark format every desktop program shares). Only
// this program's entry is written; every other byte of the file stays.
#pragma once

#include "outcome.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

struct RecentUse
{
    QString path;     // the file opened or saved
    QString mimeType; // "text/html", "text/plain"
    QString appName;  // this program's name in the list
    QString exec;     // how the list starts it again: "'qumoedit %u'"
    QDateTime when;
};

// The list's file: ~/.local/share/recently-used.xbel.
QString RecentlyUsedPath();

// `xbel` with `use` recorded (empty: a new list); none when the list is not one this program may edit.
std::optional<QByteArray> WithRecentUse(const QByteArray &xbel, const RecentUse &use);

// Records `use` in the list at `xbelPath`, read whole and written safely.
Outcome AddRecentUse(const QString &xbelPath, const RecentUse &use);
