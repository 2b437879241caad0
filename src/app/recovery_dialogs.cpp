#include "recovery_dialogs.h"

#include "leftover_saves.h"
#include "recovery_leftovers.h"
#include "recovery_list_dialog.h"
#include "recovery_offer.h"
#include "system_reason.h"

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <unistd.h>

namespace {

bool SureToDiscard(QWidget *parent, const QString &question)
{
    QMessageBox sure(QMessageBox::Warning, QStringLiteral("QUMOEDIT"), question,
                     QMessageBox::Yes | QMessageBox::No, parent);
    sure.setObjectName(QStringLiteral("DiscardRecoveryQuestion"));
    sure.setDefaultButton(QMessageBox::No);
    return sure.exec() == QMessageBox::Yes;
}

} // namespace

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
    case QMessageBox::Discard:
        return SureToDiscard(parent, DiscardQuestion(copy)) ? RecoveryAnswer::Discard : RecoveryAnswer::Later;
    default:
        return RecoveryAnswer::Later;
    }
}

RecoveryChoice AskAboutRecoveryCopies(QWidget *parent, const std::vector<LeftCopy> &copies)
{
    if (copies.size() == 1)
        return {AskAboutRecoveryCopy(parent, copies.front().copy), {0}};
    QStringList lines;
    for (const LeftCopy &left : copies)
        lines << RecoveryListLine(left.copy);
    RecoveryListDialog dialog(lines, parent);
    dialog.exec();
    RecoveryChoice choice{dialog.answer(), dialog.chosen()};
    if (choice.answer == RecoveryAnswer::Discard &&
        (choice.chosen.empty() || !SureToDiscard(parent, DiscardCopiesQuestion(int(choice.chosen.size())))))
        choice.answer = RecoveryAnswer::Later;
    return choice;
}

void OfferToDeleteUnreadableCopies(QWidget *parent, const std::vector<UnreadableCopy> &copies)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("QUMOEDIT"), UnreadableCopiesMessage(copies),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("UnreadableCopies"));
    box.setTextFormat(Qt::PlainText);
    QPushButton *remove = box.addButton(QStringLiteral("削除"), QMessageBox::DestructiveRole);
    QPushButton *keep = box.addButton(QStringLiteral("残す"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    if (box.clickedButton() != remove)
        return;
    for (const UnreadableCopy &copy : copies)
        ::unlink(QFile::encodeName(copy.file).constData());
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
