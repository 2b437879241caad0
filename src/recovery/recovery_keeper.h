// Watches the editor's text and the document and keeps the recovery copy
// up to date through a RecoveryWriter: each edit is posted as it happens
// (a few characters, no waiting); a change too large to post (loading, a
// page-wide replace) makes it send the whole text once the command is done.
// While the document holds no unsaved change there is nothing to recover, and
// no mirror of the text is kept: a large file costs no second copy until it
// is edited.
#pragma once

#include "document.h"
#include "recovery_store.h"
#include "recovery_writer.h"

#include <QObject>
#include <QTimer>
#include <memory>

class QTextDocument;

class RecoveryKeeper : public QObject
{
    Q_OBJECT

public:
    // Keeps the copy of `document` (whose text is `text`) in `folder` under
    // a lock of this instance; active() says whether the lock was taken.
    RecoveryKeeper(Document &document, QTextDocument *text, const QString &folder, QObject *parent = nullptr,
                   std::chrono::milliseconds delay = std::chrono::milliseconds(1000));
    // Removes the copy unless it is to be kept.
    ~RecoveryKeeper() override;

    bool active() const { return writer_ != nullptr; }
    // Why the keeper is not active, in words.
    QString unavailable() const;
    QString folder() const { return folder_; }
    QString copyFile() const { return lock_.copyFile(); }
    // Writes what is pending now and waits for it; false when it failed.
    bool flush();
    // Why the last write failed; empty when it went well.
    QString failure() const;
    // The copy outlives this object (the program is ending unasked).
    void keepCopy() { keep_ = true; }
    // The text as the writer mirrors it, and how often the whole text was
    // sent instead of an edit (tests and benchmarks).
    RecoveryText mirror();
    int wholeTextsSent() const { return wholeTextsSent_; }

signals:
    // A write failed after the one before went well: copies are not being
    // kept here for now (the writer tries again).
    void writeFailed(const QString &reason);

private:
    void changed(int position, int removed, int added);
    void resend();
    void sendState();
    // Unsaved changes came or went: the mirror is built or dropped.
    void modificationChanged(bool modified);

    Document &document_;
    QTextDocument *text_;
    QString folder_;
    RecoveryLock lock_;
    std::unique_ptr<RecoveryWriter> writer_;
    QTimer stateTimer_;
    QTimer wholeTextTimer_; // a text with soft breaks goes whole, after its edits settle
    qsizetype length_ = 0;  // of the raw text as the writer has it
    bool resendDue_ = false;
    bool dormant_ = false; // no unsaved change: the writer holds no text
    bool keep_ = false;
    int wholeTextsSent_ = 0;
    QString reportedFailure_;
};

// The line-end marks of every line of `text` (block user states).
QByteArray LineStates(const QTextDocument &text);
// Marks the lines of `text` with `states`, one per line.
void SetLineStates(QTextDocument &text, const QByteArray &states);
