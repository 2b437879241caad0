// The words and figures the folder search shows.
#pragma once

#include "folder_walk.h"

#include <QList>
#include <QString>

// A count with its thousands grouped: "4,567".
QString Counted(qsizetype n);
// "123 / 4,567 ファイル"; "123 / 4,567+ ファイル" while more are being listed.
QString FilesProgress(qsizetype done, qsizetype total, bool totalKnown = true);
// What a search passed over, by reason, each path relative to `folder`.
QString SkippedText(const QList<FolderSearch::Skipped> &skipped, const QString &folder);
