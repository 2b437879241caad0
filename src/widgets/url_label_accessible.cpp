#include "url_label_accessible.h"
#include "url_label.h"

namespace WidgetAccessibility {
namespace detail {

UrlLabelAccessible::UrlLabelAccessible(TURLLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

QString UrlLabelAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
        return QAccessibleWidget::text(t);
    return static_cast<TURLLabel *>(widget())->text();
}

QAccessible::State UrlLabelAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.linked = true;
    return s;
}

QStringList UrlLabelAccessible::actionNames() const
{
    QStringList names;
    if (widget()->isEnabled())
        names << pressAction();
    return names + QAccessibleWidget::actionNames();
}

void UrlLabelAccessible::doAction(const QString &actionName)
{
    if (actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (widget()->isEnabled())
        static_cast<TURLLabel *>(widget())->Open();
}

} // namespace detail
} // namespace WidgetAccessibility
