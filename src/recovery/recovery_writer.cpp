#include "recovery_writer.h"

#include <QFile>
#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// The kept bytes are shared, not copied, from the document: comparing them
// by content would read them whole on every keystroke.
bool SameState(const DocumentState &a, const DocumentState &b)
{
    return a.path == b.path && a.identity == b.identity && a.ownFormat == b.ownFormat &&
           a.mixedLineEnds == b.mixedLineEnds && a.lineEnd == b.lineEnd && a.code == b.code &&
           a.keptSource.size() == b.keptSource.size() && a.keptSource.constData() == b.keptSource.constData();
}

constexpr std::chrono::milliseconds Poll(200);

// Typing one key after another, or Enter, or Delete: `next` starts where
// `edit` left the caret. One edit for the two moves the mirror's text once.
bool Join(RecoveryEdit &edit, const RecoveryEdit &next)
{
    if (next.position != edit.position + edit.added.size() ||
        next.firstLine != edit.firstLine + edit.added.count(QChar::ParagraphSeparator))
        return false;
    edit.removed += next.removed;
    edit.added += next.added;
    edit.lineStates.chop(1);
    edit.lineStates += next.lineStates;
    return true;
}

} // namespace

RecoveryWriter::RecoveryWriter(QString file, std::chrono::milliseconds delay)
    : file_(std::move(file)), delay_(delay), thread_([this] { run(); })
{
}

RecoveryWriter::~RecoveryWriter()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void RecoveryWriter::reset(RecoveryText text)
{
    {
        std::lock_guard lock(mutex_);
        ops_.push_back({true, std::move(text), {}});
        news_ = true;
    }
    lostTrack_ = false;
}

void RecoveryWriter::post(RecoveryEdit edit)
{
    {
        std::lock_guard lock(mutex_);
        ops_.push_back({false, {}, std::move(edit)});
        news_ = true;
    }
}

void RecoveryWriter::setState(const DocumentState &state, bool modified)
{
    {
        std::lock_guard lock(mutex_);
        if (SameState(state_, state) && modified_ == modified)
            return;
        state_ = state;
        modified_ = modified;
        news_ = true;
    }
}

bool RecoveryWriter::flush()
{
    std::unique_lock lock(mutex_);
    const quint64 ticket = ++flushAsked_;
    wake_.notify_one();
    flushed_.wait(lock, [&] { return flushDone_ >= ticket; });
    return healthy_;
}

QString RecoveryWriter::failure()
{
    std::lock_guard lock(mutex_);
    return failure_;
}

RecoveryText RecoveryWriter::mirror()
{
    {
        std::lock_guard lock(mutex_);
        wantMirror_ = true;
    }
    flush();
    std::lock_guard lock(mutex_);
    return std::exchange(mirrorCopy_, {});
}

void RecoveryWriter::apply(std::vector<Op> &ops)
{
    RecoveryEdit joined;
    bool pending = false;
    const auto applyJoined = [&] {
        if (!pending)
            return;
        pending = false;
        // The window resends the whole text when its edits go astray; until
        // then the copy on disk stays as it was.
        fits_ = fits_ && ApplyRecoveryEdit(mirror_, joined);
        lostTrack_ = !fits_;
        if (fits_ && !wholeDue_)
            unwritten_ += EditRecord(joined);
    };
    for (Op &op : ops) {
        if (op.reset) {
            pending = false;
            mirror_ = std::move(op.text);
            unwritten_.clear();
            wholeDue_ = true;
            fits_ = true;
            lostTrack_ = false;
        } else if (!pending || !Join(joined, op.edit)) {
            applyJoined();
            joined = std::move(op.edit);
            pending = true;
        }
    }
    applyJoined();
    ops.clear();
}

void RecoveryWriter::write(const DocumentState &state, bool modified, bool now)
{
    if (!modified) {
        if (onDisk_)
            QFile::remove(file_);
        onDisk_ = false;
        wholeDue_ = true;
        unwritten_.clear();
        dirty_ = false;
        last_ = {};
        return;
    }
    if (!fits_)
        return;
    if (!SameState(state, written_))
        wholeDue_ = true;
    if (!wholeDue_ && unwritten_.isEmpty()) {
        dirty_ = false;
        return;
    }
    if (!dirty_) {
        dirty_ = true;
        dirtySince_ = std::chrono::steady_clock::now();
    }
    // Edits wait a little to be written together; the first copy does not,
    // unless the last write failed.
    if (!now && (onDisk_ || !last_.done()) && std::chrono::steady_clock::now() < dirtySince_ + delay_)
        return;
    // A journal longer than the text is folded into a whole copy, so that
    // reading it back stays quick.
    if (wholeDue_ ||
        journalBytes_ + unwritten_.size() > std::max(RecoveryJournalFloor, qint64(mirror_.text.size()))) {
        last_ = WriteRecoveryCopy(file_, state, mirror_);
        journalBytes_ = 0;
        written_ = state;
    } else {
        last_ = AppendToRecoveryCopy(file_, unwritten_);
        journalBytes_ += unwritten_.size();
    }
    const bool ok = last_.done();
    unwritten_.clear();
    // A failed write is tried again, whole, after the delay.
    wholeDue_ = !ok;
    onDisk_ = onDisk_ || ok;
    dirty_ = !ok;
    dirtySince_ = std::chrono::steady_clock::now();
}

void RecoveryWriter::run()
{
    // Behind the window thread when cores are short: typing comes first.
    ::setpriority(PRIO_PROCESS, id_t(::gettid()), 10);
    std::unique_lock lock(mutex_);
    for (;;) {
        // Posting an edit wakes nobody: a thread woken on every key would
        // take the core from the window thread on a busy machine. Edits are
        // gathered every Poll instead.
        const auto woken = [&] { return stop_ || flushAsked_ > flushDone_; };
        auto until = std::chrono::steady_clock::now() + Poll;
        if (dirty_)
            until = std::min(until, dirtySince_ + delay_);
        wake_.wait_until(lock, until, woken);
        if (!news_ && !dirty_ && !woken())
            continue;
        if (stop_)
            return;
        news_ = false;
        std::vector<Op> ops = std::move(ops_);
        ops_.clear();
        const DocumentState state = state_;
        const bool modified = modified_;
        const quint64 flushTicket = flushAsked_;
        lock.unlock();
        apply(ops);
        write(state, modified, flushTicket > flushDone_);
        lock.lock();
        failure_ = last_.message;
        if (flushTicket > flushDone_) {
            healthy_ = fits_ && last_.done();
            if (wantMirror_)
                mirrorCopy_ = mirror_;
            wantMirror_ = false;
            flushDone_ = flushTicket;
            flushed_.notify_all();
        }
    }
}
