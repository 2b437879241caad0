#include "crash_recovery.h"

#include "document.h"
#include "file_identity.h"
#include "recovery_dialogs.h"
#include "recovery_keeper.h"
#include "recovery_leftovers.h"
#include "recovery_offer.h"
#include "recovery_places.h"
#include "shell_open.h"
#include "termination_signals.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Qt calls exit() itself when the X11 connection breaks: then only exit
// handlers run, and this one needs to know whose copy to keep.
QPointer<CrashRecovery> recoveryAtExit;

void KeepCopyAtExit()
{
    if (recoveryAtExit != nullptr && !recoveryAtExit->keepCopyForExit())
        std::fputs("QUMOEDIT: 保存されていない変更の復元用コピーを書き込めませんでした\n", stderr);
}

bool SameFile(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    const FileIdentity x = FileIdentity::Of(a);
    const FileIdentity y = FileIdentity::Of(b);
    return x.exists && y.exists && x.device == y.device && x.inode == y.inode;
}

} // namespace

CrashRecovery::CrashRecovery(Document &document, QPlainTextEdit *editor, QWidget *window)
    : QObject(window), document_(document), editor_(editor), window_(window),
      openElsewhere_([](const QString &file) {
          StartProgram(QCoreApplication::applicationFilePath(), {QStringLiteral("--recover"), file});
      })
{
}

void CrashRecovery::enable(const QStringList &places)
{
    delete keeper_;
    keeper_ = nullptr;
    places_ = places;
    place_ = -1;
    refusals_.clear();
    nowhere_ = !moveOn();
    if (!refusals_.isEmpty())
        warn(!nowhere_);
}

bool CrashRecovery::moveOn()
{
    const bool modified = editor_->document()->isModified();
    for (qsizetype next = place_ + 1; next < places_.size(); ++next) {
        const QString &folder = places_[next];
        Outcome ready = PrepareRecoveryFolder(folder);
        std::unique_ptr<RecoveryKeeper> keeper;
        if (ready.done())
            keeper = std::make_unique<RecoveryKeeper>(document_, editor_->document(), folder);
        if (keeper && !keeper->active())
            ready = Outcome::failed(keeper->unavailable());
        // The text goes there at once: a place that cannot take it now is no better.
        else if (keeper && modified && !keeper->flush())
            ready = Outcome::failed(keeper->failure());
        if (!ready.done()) {
            const QString refusal = PlaceRefusal(folder, ready.message);
            if (!refusals_.contains(refusal))
                refusals_ << refusal;
            continue;
        }
        delete keeper_;
        keeper_ = keeper.release();
        keeper_->setParent(this);
        place_ = next;
        connect(
            keeper_, &RecoveryKeeper::writeFailed, this,
            [this, sender = QPointer<RecoveryKeeper>(keeper_)](const QString &reason) {
                if (sender != nullptr && sender == keeper_)
                    writeFailed(reason);
            },
            Qt::QueuedConnection);
        return true;
    }
    return false;
}

void CrashRecovery::writeFailed(const QString &reason)
{
    const QString refusal = PlaceRefusal(places_[place_], reason);
    if (!refusals_.contains(refusal))
        refusals_ << refusal;
    // The keeper that failed stays while no place takes the copy: it tries again.
    nowhere_ = !moveOn();
    warn(!nowhere_);
}

void CrashRecovery::warn(bool movedOn)
{
    bool &warned = movedOn ? warnedMovedOn_ : warnedNowhere_;
    if (warned)
        return;
    if (!startedUp_) {
        warningDue_ = true;
        return;
    }
    warned = true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("QUMOEDIT"),
                    RecoveryPlaceWarning(refusals_, movedOn ? places_[place_] : QString()), QMessageBox::Ok,
                    window_);
    box.setObjectName(QStringLiteral("RecoveryPlaceWarning"));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

bool CrashRecovery::writeCopyNow()
{
    if (keeper_ != nullptr && keeper_->flush())
        return true;
    return !editor_->document()->isModified() || moveOn();
}

bool CrashRecovery::keepCopyForExit()
{
    const bool written = writeCopyNow();
    // What is on disk stays, even a copy older than the text.
    if (keeper_ != nullptr)
        keeper_->keepCopy();
    return written;
}

void CrashRecovery::exitOnTerminationSignals()
{
    recoveryAtExit = this;
    std::atexit(KeepCopyAtExit);
    auto *termination = new TerminationSignals(this);
    connect(termination, &TerminationSignals::received, this, [this](int signal) {
        if (!writeCopyNow()) {
            askToSave(signal);
            return;
        }
        if (keeper_ != nullptr)
            keeper_->keepCopy();
        // Nothing else runs: no question, no settings written, the copy stays.
        std::_Exit(128 + signal);
    });
}

void CrashRecovery::askToSave(int signal)
{
    // A second signal while the question is open changes nothing.
    if (asking_)
        return;
    asking_ = true;
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
    // Without a copy the text is only here: closing asks whether to save it.
    const bool closed = window_->close();
    asking_ = false;
    if (closed)
        QCoreApplication::exit(128 + signal);
}

void CrashRecovery::offerCopies()
{
    startedUp_ = true;
    if (warningDue_) {
        warningDue_ = false;
        warn(!nowhere_);
    }
    if (places_.isEmpty())
        return;
    if (!handedOver_.isEmpty()) {
        restoreHandedOver();
        return;
    }
    QStringList folders;
    for (const QString &place : places_)
        if (IsOwnRecoveryFolder(place))
            folders << place;
    RecoveryLeftovers left = FindRecoveryLeftovers(folders);
    if (!left.copies.empty()) {
        const RecoveryChoice choice = AskAboutRecoveryCopies(window_, left.copies);
        if (choice.answer == RecoveryAnswer::Restore)
            restoreChosen(left.copies, choice.chosen);
        if (choice.answer == RecoveryAnswer::Discard)
            for (const int i : choice.chosen)
                left.copies[i].lock->removeAll();
        // The rest wait for the next start.
        for (LeftCopy &copy : left.copies)
            copy.lock->letGo();
    }
    if (!left.unreadable.empty())
        OfferToDeleteUnreadableCopies(window_, left.unreadable);
}

bool CrashRecovery::takesWindow(const RecoveryCopy &copy) const
{
    const QTextDocument *text = editor_->document();
    if (text->isModified())
        return false;
    // A new, empty document takes any copy; one that holds a file, that file's.
    if (!document_.holdsFile())
        return text->isEmpty();
    return copy.state.holdsFile() && SameFile(copy.state.path, document_.path());
}

void CrashRecovery::restoreChosen(std::vector<LeftCopy> &copies, const std::vector<int> &chosen)
{
    // The newest copy of this window's document, or the first one when the
    // window is new and empty, comes here.
    int here = -1;
    for (const int i : chosen) {
        if (takesWindow(copies[i].copy)) {
            here = i;
            if (!document_.holdsFile())
                break;
        }
    }
    if (here >= 0) {
        LeftCopy &left = copies[here];
        if (const RecoveryRead read = ReadRecoveryCopy(left.copy.file); read.copy) {
            restore(*read.copy);
            // Only once this instance's own copy holds the text.
            if (keeper_ != nullptr && keeper_->flush())
                left.lock->removeAll();
        }
    }
    for (const int i : chosen) {
        if (i == here)
            continue;
        // The instance it goes to takes the lock.
        copies[i].lock->letGo();
        openElsewhere_(copies[i].copy.file);
    }
}

void CrashRecovery::restoreHandedOver()
{
    RecoveryLock lock(QFileInfo(handedOver_).absolutePath(), RecoveryCopyId(handedOver_));
    if (!lock.held())
        return;
    const RecoveryRead read = ReadRecoveryCopy(handedOver_);
    if (read.copy) {
        restore(*read.copy);
        if (keeper_ != nullptr && keeper_->flush())
            lock.removeAll();
    }
    lock.letGo();
}

void CrashRecovery::restore(const RecoveryCopy &copy)
{
    document_.restore(copy.state, copy.text.text);
    SetLineStates(*editor_->document(), copy.text.lineStates);
    emit restored();
    editor_->document()->setModified(true);
}

void CrashRecovery::offerLeftoverSaves(const QString &path)
{
    if (places_.isEmpty())
        return;
    const Outcome offered = OfferLeftoverSaves(window_, path);
    if (!offered.done())
        emit failed(offered.message);
}
