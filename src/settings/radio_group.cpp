#include "radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const QString &title, const QStringList &items, QWidget *parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        group_->addButton(button, i);
        layout->addWidget(button);
    }
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < count()) {
        group_->button(index)->setChecked(true);
        return;
    }
    // An exclusive group refuses to clear its checked button.
    group_->setExclusive(false);
    for (QAbstractButton *button : group_->buttons())
        button->setChecked(false);
    group_->setExclusive(true);
}

QRadioButton *RadioGroup::item(int index) const
{
    return qobject_cast<QRadioButton *>(group_->button(index));
}

int RadioGroup::count() const
{
    return static_cast<int>(group_->buttons().size());
}
