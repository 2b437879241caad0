// What assistive technology sees of a shine button: a push button, or a
// checkable one in a group, named by its caption (by its hint without one).
#pragma once

#include <QAccessibleWidget>

class TShineSpeedButton;

namespace WidgetAccessibility {
namespace detail {

class ShineButtonAccessible : public QAccessibleWidget
{
public:
    explicit ShineButtonAccessible(TShineSpeedButton *button);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    TShineSpeedButton *button() const;
};

// The caption as read aloud: a lone "&" marks the accelerator, "&&" is one "&".
QString WithoutMnemonic(const QString &caption);

// Whether a caption holds no letter and no digit ("！", "？", "<<", or nothing).
bool IsSymbol(const QString &caption);

} // namespace detail
} // namespace WidgetAccessibility
