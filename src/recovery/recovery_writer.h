// Keeps a document's recovery copy on a thread of its own: the window thread
// posts edits and never waits; this thread mirrors the text, appends the
// edits to the copy within a second, and rewrites the copy whole when the
// document's state changed or the journal has grown.
#pragma once

#include "recovery_store.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

class RecoveryWriter
{
public:
    explicit RecoveryWriter(QString file, std::chrono::milliseconds delay = std::chrono::milliseconds(1000));
    ~RecoveryWriter(); // stops; what is not written yet is dropped
    RecoveryWriter(const RecoveryWriter &) = delete;
    RecoveryWriter &operator=(const RecoveryWriter &) = delete;

    // From the window thread, in the order they happened; never waits on a write.
    void reset(RecoveryText text);
    void post(RecoveryEdit edit);
    // The copy exists exactly while the document is modified.
    void setState(const DocumentState &state, bool modified);

    // Waits until everything posted is written (or the copy removed); false
    // when a write failed or an edit did not fit the mirror.
    bool flush();
    // The text as mirrored after a flush.
    RecoveryText mirror();
    // An edit did not fit the mirror: only a whole text puts it right.
    bool lostTrack() const { return lostTrack_; }
    // Why the last write failed; empty when it went well.
    QString failure();

private:
    struct Op
    {
        bool reset = false;
        RecoveryText text;
        RecoveryEdit edit;
    };

    void run();
    // Work on the writer's own thread, without the lock.
    void apply(std::vector<Op> &ops);
    void write(const DocumentState &state, bool modified, bool now);

    const QString file_;
    const std::chrono::milliseconds delay_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable flushed_;
    std::vector<Op> ops_;
    DocumentState state_;
    bool modified_ = false;
    bool stop_ = false;
    bool news_ = false;
    bool wantMirror_ = false;
    quint64 flushAsked_ = 0;
    quint64 flushDone_ = 0;
    bool healthy_ = true;
    QString failure_;
    RecoveryText mirrorCopy_;

    // The writer thread's own.
    RecoveryText mirror_;
    QByteArray unwritten_; // edit records not on disk yet
    bool wholeDue_ = true;
    bool onDisk_ = false;
    qint64 journalBytes_ = 0;
    DocumentState written_;
    std::chrono::steady_clock::time_point dirtySince_;
    bool dirty_ = false;
    bool fits_ = true;
    Outcome last_;
    std::atomic<bool> lostTrack_ = false;

    std::thread thread_;
};
