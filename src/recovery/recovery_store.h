// Recovery copies of unsaved documents: one file per running instance in the
// recovery folder, holding the document's state, its text and line-end marks
// and a journal of the edits made since. No window here.
//
// File: a magic line, then records [type u8][size u32][payload][check u16]:
// 'S' the document state, 'T' the whole text, 'E' one edit. A record cut
// short or failing its check ends the copy (the writer was killed while
// appending); what came before it is the copy.
#pragma once

#include "document_state.h"
#include "outcome.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// The raw text (U+2029 between lines) and each line's end mark (its
// LineEndMark; -1 where none is set).
struct RecoveryText
{
    QString text;
    QByteArray lineStates;

    friend bool operator==(const RecoveryText &, const RecoveryText &) = default;
};

// `removed` characters at `position` replaced by `added`; the lines from
// `firstLine` to the last one the added text reaches carry `lineStates`.
struct RecoveryEdit
{
    qint64 position = 0;
    qint64 removed = 0;
    QString added;
    qint64 firstLine = 0;
    QByteArray lineStates;
};

// Applies `edit`; false, leaving `text` as it was, when it does not fit.
bool ApplyRecoveryEdit(RecoveryText &text, const RecoveryEdit &edit);

QByteArray StateRecord(const DocumentState &state);
QByteArray TextRecord(const RecoveryText &text);
QByteArray EditRecord(const RecoveryEdit &edit);
// The magic line a copy starts with.
QByteArray RecoveryFileHead();

struct RecoveryCopy
{
    QString file;
    DocumentState state;
    RecoveryText text;
    QDateTime madeAt;  // when the copy was last written
    bool torn = false; // a last record cut short was left out
};

struct RecoveryRead
{
    // Nothing when the file lacks a whole state or text: a copy's stub.
    std::optional<RecoveryCopy> copy;
    // Why the file was not read at all: a link, not the user's, open to
    // others, too large, not a copy. Empty when it was read.
    QString refused;
};

// Reads a copy: only a regular file of the user's own, private to them, of
// at most the size a copy of the largest document can reach.
RecoveryRead ReadRecoveryCopy(const QString &file);

// A journal longer than this (and than the text) is folded into a whole copy.
inline constexpr qint64 RecoveryJournalFloor = 1 << 20;

// Writes a whole copy: a new file renamed over `file`, mode 0600. A failure
// says why, in words.
Outcome WriteRecoveryCopy(const QString &file, const DocumentState &state, const RecoveryText &text);
// Appends edit records to a copy written before.
Outcome AppendToRecoveryCopy(const QString &file, const QByteArray &records);

// An instance's hold on its copies: an exclusive lock on "<id>.lock" kept
// while the object lives. Copies are "<id>.qrec".
class RecoveryLock
{
public:
    // Takes the lock of `id` in `folder`; held() tells whether it worked.
    RecoveryLock(const QString &folder, const QString &id);
    ~RecoveryLock();
    RecoveryLock(const RecoveryLock &) = delete;
    RecoveryLock &operator=(const RecoveryLock &) = delete;

    bool held() const { return fd_ >= 0; }
    // Why the lock could not be taken (an errno value), 0 when it was or
    // another instance holds it.
    int error() const { return error_; }
    QString copyFile() const;
    // Removes the copy and the lock file, then lets go.
    void removeAll();
    // Removes the lock file and lets go; the copy stays for a later start.
    void letGo();

    // A fresh id for this process.
    static QString NewId();

private:
    QString lockFile() const;

    QString folder_;
    QString id_;
    int fd_ = -1;
    int error_ = 0;
};

// The id of a copy file ("<id>.qrec").
QString RecoveryCopyId(const QString &file);
