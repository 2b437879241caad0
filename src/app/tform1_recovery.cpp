// Recovery copies of unsaved text, and what interrupted saves left behind.
#include "leftover_saves.h"
#include "recovery_keeper.h"
#include "recovery_offer.h"
#include "system_reason.h"
#include "termination_signals.h"
#include "tform1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
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
    QMessageBox box(QMessageBox::Question, QStringLiteral("QUMOEDIT"), RecoveryQuestion(*copy),
                    QMessageBox::Yes | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("RecoveryQuestion"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("復元する"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("破棄する"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("後で"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        if (windowFree) {
            RestoreCopy(*copy);
            // Only once this instance's own copy holds the text.
            if (recovery_->flush())
                lock.removeAll();
            return true;
        }
        QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                {QStringLiteral("--recover"), copy->file});
        return false;
    case QMessageBox::Discard: {
        QMessageBox sure(QMessageBox::Warning, QStringLiteral("QUMOEDIT"), DiscardQuestion(*copy),
                         QMessageBox::Yes | QMessageBox::No, this);
        sure.setObjectName(QStringLiteral("DiscardRecoveryQuestion"));
        sure.setDefaultButton(QMessageBox::No);
        if (sure.exec() == QMessageBox::Yes)
            lock.removeAll();
        return false;
    }
    default:
        return false;
    }
}

void TForm1::RestoreCopy(const RecoveryCopy &copy)
{
    document_.restore(copy.state, copy.text.text);
    SetLineStates(*RichEdit1->document(), copy.text.lineStates);
    RichEdit1->moveCursor(QTextCursor::Start);
    ApplyTextSize(baseFontSize_);
    if (options_->options().useAutoHtml)
        ColourAllTags();
    ShowStatus();
    RichEdit1->document()->setModified(true);
    PoChange();
}

void TForm1::OfferLeftoverSaves(const QString &path)
{
    if (recovery_ == nullptr)
        return;
    RemoveLeftoverNewFiles(path);
    for (const QString &copy : LeftoverSafetyCopies(path)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("QUMOEDIT"), SafetyCopyQuestion(path, copy),
                        QMessageBox::Yes | QMessageBox::Discard | QMessageBox::No, this);
        box.setObjectName(QStringLiteral("SafetyCopyQuestion"));
        box.button(QMessageBox::Yes)->setText(QStringLiteral("戻す"));
        box.button(QMessageBox::Discard)->setText(QStringLiteral("安全コピーを削除"));
        box.button(QMessageBox::No)->setText(QStringLiteral("今はしない"));
        box.setDefaultButton(QMessageBox::No);
        const int answer = box.exec();
        if (answer == QMessageBox::Discard) {
            QFile::remove(copy);
        } else if (answer == QMessageBox::Yes) {
            const int failure = PutBackSafetyCopy(copy, path);
            if (failure != 0)
                ShowFileError(WithReason(CannotCreateMessage(path), failure));
        }
    }
}
