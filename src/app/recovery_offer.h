// The questions the start-up and the opening of a file ask about what an
// ended instance or an interrupted save left behind. No window here.
#pragma once

#include "recovery_store.h"

#include <QString>

// "<path>の保存されていない変更（2026/12/08 14:05）を復元しますか？", or
// 新規文書 for a document that holds no file.
QString RecoveryQuestion(const RecoveryCopy &copy);
// Asked before a copy is thrown away.
QString DiscardQuestion(const RecoveryCopy &copy);
// Offers to put an interrupted save's safety copy back over `path`, with
// both files' sizes and times.
QString SafetyCopyQuestion(const QString &path, const QString &copy);
