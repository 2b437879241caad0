// The questions about what ended instances and interrupted saves left.
#pragma once

#include <QString>

class QWidget;
struct RecoveryCopy;

enum class RecoveryAnswer { Restore, Discard, Later };

// Asks whether to restore `copy`: 復元する (default), 破棄する (asked again), 後で (Esc).
RecoveryAnswer AskAboutRecoveryCopy(QWidget *parent, const RecoveryCopy &copy);

// Offers each safety copy an interrupted save left beside `path`: put back,
// deleted, or kept for later. Returns what failed, empty when nothing did.
QString OfferLeftoverSaves(QWidget *parent, const QString &path);
