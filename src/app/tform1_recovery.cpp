// Recovery copies of unsaved text, and what interrupted saves left behind.
#include "recovery_dialogs.h"
#include "recovery_keeper.h"
#include "termination_signals.h"
#include "tform1.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QSessionManager>
#include <cstdlib>

namespace {

// Qt calls exit() itself when the X11 connection breaks: then only exit
// handlers run, and this one needs to know whose copy to keep.
QPointer<TForm1> formAtExit;

void KeepCopyAtExit()
{
    if (formAtExit != nullptr)
        formAtExit->KeepCopyForExit();
}

} // namespace

void TForm1::enableRecovery(const QString &folder)
{
    delete recovery_;
    recovery_ = new RecoveryKeeper(document_, RichEdit1->document(), folder, this);
}

void TForm1::KeepCopyForExit()
{
    if (recovery_ == nullptr)
        return;
    recovery_->flush();
    recovery_->keepCopy();
}

void TForm1::ExitOnTerminationSignals()
{
    formAtExit = this;
    std::atexit(KeepCopyAtExit);
    auto *termination = new TerminationSignals(this);
    connect(termination, &TerminationSignals::received, this, [this](int signal) {
        KeepCopyForExit();
        // Nothing else runs: no question, no settings written, the copy stays.
        std::_Exit(128 + signal);
    });
}

void TForm1::CommitData(QSessionManager &manager)
{
    if (manager.allowsInteraction()) {
        if (!ConfirmSaveChanges())
            manager.cancel();
        manager.release();
        return;
    }
    KeepCopyForExit();
    endingSession_ = true;
}

void TForm1::OfferRecoveryCopies()
{
    if (recovery_ == nullptr || !recovery_->active())
        return;
    const QString folder = recovery_->folder();
    if (!recoverFile_.isEmpty()) {
        RecoveryLock lock(folder, RecoveryCopyId(recoverFile_));
        const std::optional<RecoveryCopy> copy = lock.held() ? ReadRecoveryCopy(recoverFile_) : std::nullopt;
        if (copy) {
            RestoreCopy(*copy);
            if (recovery_->flush())
                lock.removeAll();
        }
        return;
    }
    // Only a new, empty and untouched document gives its window to a copy;
    // other copies open in windows of their own.
    bool windowFree =
        !document_.holdsFile() && RichEdit1->document()->isEmpty() && !RichEdit1->document()->isModified();
    for (const QString &file : OrphanedRecoveryCopies(folder)) {
        if (OfferRecoveryCopy(file, windowFree))
            windowFree = false;
    }
}

bool TForm1::OfferRecoveryCopy(const QString &file, bool windowFree)
{
    RecoveryLock lock(recovery_->folder(), RecoveryCopyId(file));
    const std::optional<RecoveryCopy> copy = lock.held() ? ReadRecoveryCopy(file) : std::nullopt;
    if (!copy)
        return false;
    switch (AskAboutRecoveryCopy(this, *copy)) {
    case RecoveryAnswer::Restore:
        if (!windowFree) {
            QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                    {QStringLiteral("--recover"), copy->file});
            return false;
        }
        RestoreCopy(*copy);
        // Only once this instance's own copy holds the text.
        if (recovery_->flush())
            lock.removeAll();
        return true;
    case RecoveryAnswer::Discard:
        lock.removeAll();
        return false;
    case RecoveryAnswer::Later:
        return false;
    }
    return false;
}

void TForm1::RestoreCopy(const RecoveryCopy &copy)
{
    document_.restore(copy.state, copy.text.text);
    SetLineStates(*RichEdit1->document(), copy.text.lineStates);
    ShowNewText();
    RichEdit1->document()->setModified(true);
}

void TForm1::OfferLeftoverSaves(const QString &path)
{
    if (recovery_ == nullptr)
        return;
    const QString failure = ::OfferLeftoverSaves(this, path);
    if (!failure.isEmpty())
        ShowFileError(failure);
}
