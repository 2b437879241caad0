// Closing: the save question, the settings written at close, and the end of
// the desktop session.
#include "crash_recovery.h"
#include "document_files.h"
#include "tform1.h"

#include <QCloseEvent>
#include <QSessionManager>

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing waits for a document being read: its questions concern the text being replaced.
    if (files_->loading() || !FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TForm1::FormCloseQuery()
{
    return endingSession_ || ConfirmSaveChanges();
}

void TForm1::FormClose()
{
    writeSettings();
    setWindowState(Qt::WindowNoState);
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
