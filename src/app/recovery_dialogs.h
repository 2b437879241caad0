// The questions about what ended instances and interrupted saves left.
#pragma once

#include "outcome.h"

#include <QString>
#include <vector>

class QWidget;
struct LeftCopy;
struct RecoveryCopy;
struct UnreadableCopy;

enum class RecoveryAnswer { Restore, Discard, Later };

struct RecoveryChoice
{
    RecoveryAnswer answer = RecoveryAnswer::Later;
    std::vector<int> chosen; // indices of the copies the answer is for
};

// Asks whether to restore `copy`: 復元する (default), 破棄する (asked again), 後で (Esc).
RecoveryAnswer AskAboutRecoveryCopy(QWidget *parent, const RecoveryCopy &copy);
// One copy: that question. Several: one list with a ticked box each and the
// same three answers for the ticked ones.
RecoveryChoice AskAboutRecoveryCopies(QWidget *parent, const std::vector<LeftCopy> &copies);

// Names the copies that cannot be read and why: 削除 deletes them (a link,
// not what it names), 残す (default, Esc) leaves them.
void OfferToDeleteUnreadableCopies(QWidget *parent, const std::vector<UnreadableCopy> &copies);

// Offers each safety copy an interrupted save left beside `path`: put back,
// deleted, or kept for later. A failure says why a copy could not be put back.
Outcome OfferLeftoverSaves(QWidget *parent, const QString &path);
