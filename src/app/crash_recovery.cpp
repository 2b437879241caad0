#include "crash_recovery.h"

#include "recovery_dialogs.h"
#include "recovery_keeper.h"
#include "termination_signals.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <cstdlib>

namespace {

// Qt calls exit() itself when the X11 connection breaks: then only exit
// handlers run, and this one needs to know whose copy to keep.
QPointer<CrashRecovery> recoveryAtExit;

void KeepCopyAtExit()
{
    if (recoveryAtExit != nullptr)
        recoveryAtExit->keepCopyForExit();
}

} // namespace

CrashRecovery::CrashRecovery(Document &document, QPlainTextEdit *editor, QWidget *window)
    : QObject(window), document_(document), editor_(editor), window_(window)
{
}

void CrashRecovery::enable(const QString &folder)
{
    delete keeper_;
    keeper_ = new RecoveryKeeper(document_, editor_->document(), folder, this);
}

void CrashRecovery::keepCopyForExit()
{
    if (keeper_ == nullptr)
        return;
    keeper_->flush();
    keeper_->keepCopy();
}

void CrashRecovery::exitOnTerminationSignals()
{
    recoveryAtExit = this;
    std::atexit(KeepCopyAtExit);
    auto *termination = new TerminationSignals(this);
    connect(termination, &TerminationSignals::received, this, [this](int signal) {
        keepCopyForExit();
        // Nothing else runs: no question, no settings written, the copy stays.
        std::_Exit(128 + signal);
    });
}

void CrashRecovery::offerCopies()
{
    if (keeper_ == nullptr || !keeper_->active())
        return;
    const auto restore = [this](const RecoveryCopy &copy) { this->restore(copy); };
    if (!handedOver_.isEmpty()) {
        RestoreHandedOverCopy(*keeper_, handedOver_, restore);
        return;
    }
    // Only a new, empty and untouched document gives its window to a copy.
    const QTextDocument *text = editor_->document();
    const bool windowFree = !document_.holdsFile() && text->isEmpty() && !text->isModified();
    OfferRecoveryCopies(window_, *keeper_, windowFree, restore);
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
    if (keeper_ == nullptr)
        return;
    const Outcome offered = OfferLeftoverSaves(window_, path);
    if (!offered.done())
        emit failed(offered.message);
}
