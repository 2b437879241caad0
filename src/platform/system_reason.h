// Why a file operation failed, in words the user reads after the message.
#pragma once

#include <QString>

// The reason for the system error `error` (an errno value): Japanese for the
// failures users meet, the system's own text for the rest.
QString SystemReason(int error);

// "ファイル <path> は開けません".
QString CannotOpenMessage(const QString &path);
// "ファイル <path> を作成できません".
QString CannotCreateMessage(const QString &path);
// `message`, a blank line, and the reason for `error`.
QString WithReason(const QString &message, int error);
