// The questions about what ended instances and interrupted saves left.
#pragma once

#include "outcome.h"

#include <QString>
#include <functional>

class QWidget;
class RecoveryKeeper;
struct RecoveryCopy;

enum class RecoveryAnswer { Restore, Discard, Later };

// Asks whether to restore `copy`: 復元する (default), 破棄する (asked again), 後で (Esc).
RecoveryAnswer AskAboutRecoveryCopy(QWidget *parent, const RecoveryCopy &copy);

// Offers each safety copy an interrupted save left beside `path`: put back,
// deleted, or kept for later. A failure says why a copy could not be put back.
Outcome OfferLeftoverSaves(QWidget *parent, const QString &path);

// Offers the copies that ended instances left in `keeper`'s folder, one after
// another. The first one restored goes to `restore` when `windowFree` (a new,
// empty, untouched document), each further one to an instance of its own. A
// copy is removed only once `keeper`'s own copy holds its text.
void OfferRecoveryCopies(QWidget *parent, RecoveryKeeper &keeper, bool windowFree,
                         const std::function<void(const RecoveryCopy &)> &restore);
// Restores `file`, which another instance handed over, without asking.
void RestoreHandedOverCopy(RecoveryKeeper &keeper, const QString &file,
                           const std::function<void(const RecoveryCopy &)> &restore);
