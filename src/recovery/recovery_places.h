// Where recovery copies are kept: the state folder, and two folders of the
// user's own to fall back on when it cannot be written. No window here.
#pragma once

#include "outcome.h"

#include <QStringList>

// $XDG_STATE_HOME/qumoedit/recovery (else ~/.local/state/...), then
// $XDG_CACHE_HOME/qumoedit/recovery (else ~/.cache/...), which survives a
// logout, then $XDG_RUNTIME_DIR/qumoedit/recovery, on another file system.
QStringList RecoveryPlaces();

// Makes `folder` ready for copies: created, a real folder (not a link) of
// the user's own, mode 0700, writable, with room. A failure says why.
Outcome PrepareRecoveryFolder(const QString &folder);

// Copies are read only from a real folder of the user's own.
bool IsOwnRecoveryFolder(const QString &folder);
