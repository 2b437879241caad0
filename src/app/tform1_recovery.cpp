// Recovery of unsaved text and the session's end.
#include "crash_recovery.h"
#include "tform1.h"

#include <QPlainTextEdit>
#include <QSessionManager>

void TForm1::createRecovery()
{
    crashRecovery_ = new CrashRecovery(document_, RichEdit1, this);
    connect(crashRecovery_, &CrashRecovery::failed, this, &TForm1::showFileError);
    connect(crashRecovery_, &CrashRecovery::restored, this, &TForm1::showNewText);
}

void TForm1::enableRecovery(const QString &folder)
{
    crashRecovery_->enable(folder);
}

void TForm1::setRecoverFile(const QString &file)
{
    crashRecovery_->setHandedOverCopy(file);
}

RecoveryKeeper *TForm1::recovery() const
{
    return crashRecovery_->keeper();
}

void TForm1::exitOnTerminationSignals()
{
    crashRecovery_->exitOnTerminationSignals();
}

void TForm1::commitData(QSessionManager &manager)
{
    if (manager.allowsInteraction()) {
        if (!ConfirmSaveChanges())
            manager.cancel();
        manager.release();
        return;
    }
    crashRecovery_->keepCopyForExit();
    endingSession_ = true;
}
