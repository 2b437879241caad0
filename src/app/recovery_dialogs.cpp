#include "recovery_dialogs.h"

#include "leftover_saves.h"
#include "recovery_offer.h"
#include "system_reason.h"

#include <QAbstractButton>
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

QString OfferLeftoverSaves(QWidget *parent, const QString &path)
{
    RemoveLeftoverNewFiles(path);
    QString failure;
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
                failure = WithReason(CannotCreateMessage(path), error);
        }
    }
    return failure;
}
