// What assistive technology sees of a link label: a link named by its
// caption, with a press action that opens it.
#pragma once

#include <QAccessibleWidget>

class TURLLabel;

namespace WidgetAccessibility {
namespace detail {

class UrlLabelAccessible : public QAccessibleWidget
{
public:
    explicit UrlLabelAccessible(TURLLabel *label);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
};

} // namespace detail
} // namespace WidgetAccessibility
