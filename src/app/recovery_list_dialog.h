// The copies ended instances left, in one list: a ticked box each, and
// 復元する (default) / 後で (Esc) / 破棄する for the ticked ones.
#pragma once

#include "recovery_dialogs.h"

#include <QDialog>
#include <QStringList>
#include <vector>

class QListWidget;

class RecoveryListDialog : public QDialog
{
    Q_OBJECT

public:
    // One line for each copy, in the order given.
    RecoveryListDialog(const QStringList &lines, QWidget *parent = nullptr);

    RecoveryAnswer answer() const { return answer_; }
    // The indices of the ticked lines.
    std::vector<int> chosen() const;

private:
    QListWidget *list_;
    RecoveryAnswer answer_ = RecoveryAnswer::Later;
};
