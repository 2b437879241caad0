#include "recovery_dialogs.h"

#include "leftover_saves.h"
#include "recovery_keeper.h"
#include "recovery_offer.h"
#include "shell_open.h"
#include "system_reason.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>

RecoveryAnswer AskAboutRecoveryCopy(QWidget *parent, const RecoveryCopy &copy)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("QUMOEDIT"), RecoveryQuestion(copy),
                    QMessageBox::Yes | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("RecoveryQuestion"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("復元する"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("破棄する"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("後で"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return RecoveryAnswer::Restore;
    case QMessageBox::Discard: {
        QMessageBox sure(QMessageBox::Warning, QStringLiteral("QUMOEDIT"), DiscardQuestion(copy),
                         QMessageBox::Yes | QMessageBox::No, parent);
        sure.setObjectName(QStringLiteral("DiscardRecoveryQuestion"));
        sure.setDefaultButton(QMessageBox::No);
        return sure.exec() == QMessageBox::Yes ? RecoveryAnswer::Discard : RecoveryAnswer::Later;
    }
    default:
        return RecoveryAnswer::Later;
    }
}

Outcome OfferLeftoverSaves(QWidget *parent, const QString &path)
{
    RemoveLeftoverNewFiles(path);
    Outcome outcome;
    for (const QString &copy : LeftoverSafetyCopies(path)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("QUMOEDIT"), SafetyCopyQuestion(path, copy),
                        QMessageBox::Yes | QMessageBox::Discard | QMessageBox::No, parent);
        box.setObjectName(QStringLiteral("SafetyCopyQuestion"));
        box.button(QMessageBox::Yes)->setText(QStringLiteral("戻す"));
        box.button(QMessageBox::Discard)->setText(QStringLiteral("安全コピーを削除"));
        box.button(QMessageBox::No)->setText(QStringLiteral("今はしない"));
        box.setDefaultButton(QMessageBox::No);
        const int answer = box.exec();
        if (answer == QMessageBox::Discard) {
            QFile::remove(copy);
        } else if (answer == QMessageBox::Yes) {
            const int error = PutBackSafetyCopy(copy, path);
            if (error != 0)
                outcome = Outcome::failed(WithReason(CannotCreateMessage(path), error));
        }
    }
    return outcome;
}

namespace {

// Asks about one copy; true when `restore` took its text.
bool OfferRecoveryCopy(QWidget *parent, RecoveryKeeper &keeper, const QString &file, bool windowFree,
                       const std::function<void(const RecoveryCopy &)> &restore)
{
    RecoveryLock lock(keeper.folder(), RecoveryCopyId(file));
    const std::optional<RecoveryCopy> copy = lock.held() ? ReadRecoveryCopy(file) : std::nullopt;
    if (!copy)
        return false;
    switch (AskAboutRecoveryCopy(parent, *copy)) {
    case RecoveryAnswer::Restore:
        if (!windowFree) {
            StartProgram(QCoreApplication::applicationFilePath(), {QStringLiteral("--recover"), copy->file});
            return false;
        }
        restore(*copy);
        // Only once this instance's own copy holds the text.
        if (keeper.flush())
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

} // namespace

void OfferRecoveryCopies(QWidget *parent, RecoveryKeeper &keeper, bool windowFree,
                         const std::function<void(const RecoveryCopy &)> &restore)
{
    for (const QString &file : OrphanedRecoveryCopies(keeper.folder())) {
        if (OfferRecoveryCopy(parent, keeper, file, windowFree, restore))
            windowFree = false;
    }
}

void RestoreHandedOverCopy(RecoveryKeeper &keeper, const QString &file,
                           const std::function<void(const RecoveryCopy &)> &restore)
{
    RecoveryLock lock(keeper.folder(), RecoveryCopyId(file));
    const std::optional<RecoveryCopy> copy = lock.held() ? ReadRecoveryCopy(file) : std::nullopt;
    if (!copy)
        return;
    restore(*copy);
    if (keeper.flush())
        lock.removeAll();
}
