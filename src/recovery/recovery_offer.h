// The questions the start-up and the opening of a file ask about what an
// ended instance or an interrupted save left behind. No window here.
#pragma once

#include "recovery_store.h"

#include <QString>
#include <QStringList>
#include <vector>

struct UnreadableCopy;

// "<path>の保存されていない変更（2026/12/08 14:05）を復元しますか？", or
// 新規文書 for a document that holds no file.
QString RecoveryQuestion(const RecoveryCopy &copy);
// Asked before a copy is thrown away.
QString DiscardQuestion(const RecoveryCopy &copy);
// A copy's line in the list of copies: "<path>（2026/12/08 14:05）".
QString RecoveryListLine(const RecoveryCopy &copy);
// Asked before `count` copies are thrown away.
QString DiscardCopiesQuestion(int count);
// A place that takes no copy, and why: "<folder>（<reason>）".
QString PlaceRefusal(const QString &folder, const QString &reason);
// Said once when copies cannot be written in the places `refusals` name:
// they go to `keptIn` instead, or, when it is empty, nowhere.
QString RecoveryPlaceWarning(const QStringList &refusals, const QString &keptIn);
// Names the copies that cannot be read, and why.
QString UnreadableCopiesMessage(const std::vector<UnreadableCopy> &copies);
// Offers to put an interrupted save's safety copy back over `path`, with
// both files' sizes and times.
QString SafetyCopyQuestion(const QString &path, const QString &copy);
