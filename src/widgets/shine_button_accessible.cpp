#include "shine_button_accessible.h"
#include "shine_speed_button.h"

#include <QKeySequence>

namespace detail {

QString WithoutMnemonic(const QString &caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

ShineButtonAccessible::ShineButtonAccessible(TShineSpeedButton *button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

TShineSpeedButton *ShineButtonAccessible::button() const
{
    return static_cast<TShineSpeedButton *>(widget());
}

QAccessible::Role ShineButtonAccessible::role() const
{
    return button()->GroupIndex() != 0 ? QAccessible::CheckBox : QAccessible::Button;
}

QString ShineButtonAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
        return QAccessibleWidget::text(t);
    const QString caption =
        button()->ShowAccelChar() ? WithoutMnemonic(button()->Caption()) : button()->Caption();
    return caption.isEmpty() ? widget()->toolTip() : caption;
}

QAccessible::State ShineButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = Shine::IsDownState(button()->ButtonState());
    if (button()->GroupIndex() != 0) {
        s.checkable = true;
        s.checked = button()->Down();
    }
    return s;
}

QStringList ShineButtonAccessible::actionNames() const
{
    QStringList names;
    if (widget()->isEnabled()) {
        names << pressAction();
        if (button()->GroupIndex() != 0)
            names << toggleAction();
    }
    return names + QAccessibleWidget::actionNames();
}

void ShineButtonAccessible::doAction(const QString &actionName)
{
    if (actionName != pressAction() && actionName != toggleAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (widget()->isEnabled())
        button()->Press();
}

QStringList ShineButtonAccessible::keyBindingsForAction(const QString &actionName) const
{
    const QKeySequence key = button()->MnemonicKey();
    if (actionName == pressAction() && !key.isEmpty())
        return {key.toString(QKeySequence::NativeText)};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

} // namespace detail
