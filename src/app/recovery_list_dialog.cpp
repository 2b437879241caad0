#include "recovery_list_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

RecoveryListDialog::RecoveryListDialog(const QStringList &lines, QWidget *parent)
    : QDialog(parent), list_(new QListWidget(this))
{
    setObjectName(QStringLiteral("RecoveryList"));
    setWindowTitle(QStringLiteral("QUMOEDIT"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(
        QStringLiteral("保存されていない変更が残っています。復元するものにチェックを付けてください。"), this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setBuddy(list_);
    layout->addWidget(label);
    list_->setObjectName(QStringLiteral("RecoveryCopies"));
    for (const QString &line : lines) {
        auto *item = new QListWidgetItem(line, list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    list_->setCurrentRow(0);
    // Paths are shown whole as far as the screen allows.
    int widest = 0;
    for (const QString &line : lines)
        widest = std::max(widest, list_->fontMetrics().horizontalAdvance(line));
    list_->setMinimumWidth(std::min(widest + 4 * list_->fontMetrics().height(), 760));
    layout->addWidget(list_);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *restore = buttons->addButton(QStringLiteral("復元する"), QDialogButtonBox::AcceptRole);
    QPushButton *later = buttons->addButton(QStringLiteral("後で"), QDialogButtonBox::RejectRole);
    QPushButton *discard = buttons->addButton(QStringLiteral("破棄する"), QDialogButtonBox::DestructiveRole);
    restore->setObjectName(QStringLiteral("RestoreButton"));
    later->setObjectName(QStringLiteral("LaterButton"));
    discard->setObjectName(QStringLiteral("DiscardButton"));
    restore->setDefault(true);
    layout->addWidget(buttons);
    const auto answerWith = [this](RecoveryAnswer answer) {
        answer_ = answer;
        accept();
    };
    connect(restore, &QPushButton::clicked, this, [answerWith] { answerWith(RecoveryAnswer::Restore); });
    connect(discard, &QPushButton::clicked, this, [answerWith] { answerWith(RecoveryAnswer::Discard); });
    connect(later, &QPushButton::clicked, this, &QDialog::reject);
    list_->setFocus();
}

std::vector<int> RecoveryListDialog::chosen() const
{
    std::vector<int> ticked;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->checkState() == Qt::Checked)
            ticked.push_back(row);
    return ticked;
}
