// A titled group of radio buttons addressed by item index, -1 for none.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    RadioGroup(const QString &title, const QStringList &items, QWidget *parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton *item(int index) const;
    int count() const;

private:
    QButtonGroup *group_;
};
