// Recovery copies of unsaved text, and what interrupted saves left behind.
#include "recovery_dialogs.h"
#include "recovery_keeper.h"
#include "termination_signals.h"
#include "tform1.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
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
    const auto restore = [this](const RecoveryCopy &copy) { RestoreCopy(copy); };
    if (!recoverFile_.isEmpty()) {
        RestoreHandedOverCopy(*recovery_, recoverFile_, restore);
        return;
    }
    // Only a new, empty and untouched document gives its window to a copy.
    const bool windowFree =
        !document_.holdsFile() && RichEdit1->document()->isEmpty() && !RichEdit1->document()->isModified();
    ::OfferRecoveryCopies(this, *recovery_, windowFree, restore);
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
    const Outcome offered = ::OfferLeftoverSaves(this, path);
    if (!offered.done())
        ShowFileError(offered.message);
}
