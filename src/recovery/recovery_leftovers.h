// What ended instances left in the recovery folders: copies to offer, files
// that hold nothing to restore (removed as they are found), and copies that
// cannot be read (named to the user). No window here.
#pragma once

#include "recovery_store.h"

#include <QStringList>
#include <memory>
#include <vector>

// A copy no running instance holds, held (locked) by this one while it is
// offered. `copy` keeps the state's path and identity and the time, not the
// text: restoring reads the file again.
struct LeftCopy
{
    RecoveryCopy copy;
    std::unique_ptr<RecoveryLock> lock;
};

struct UnreadableCopy
{
    QString file;
    QString reason;
};

struct RecoveryLeftovers
{
    std::vector<LeftCopy> copies; // oldest first
    std::vector<UnreadableCopy> unreadable;
};

// Looks through `folders` at what no running instance holds. A whole copy
// whose rename was cut short (".qrec.new") becomes the copy; an unfinished
// one, a copy's stub and a lock without a copy are removed. Lock files are
// left only beside copies this instance now holds.
RecoveryLeftovers FindRecoveryLeftovers(const QStringList &folders);
