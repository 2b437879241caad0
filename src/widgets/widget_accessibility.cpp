#include "widget_accessibility.h"
#include "shine_button_accessible.h"
#include "shine_speed_button.h"
#include "url_label.h"
#include "url_label_accessible.h"

namespace {

// Qt asks once per class of the object's hierarchy; answering on the first
// ask also covers classes derived from ours. Qt owns the interfaces.
QAccessibleInterface *WidgetAccessibleFactory(const QString &, QObject *object)
{
    if (auto *button = qobject_cast<TShineSpeedButton *>(object))
        return new WidgetAccessibility::detail::ShineButtonAccessible(button);
    if (auto *label = qobject_cast<TURLLabel *>(object))
        return new WidgetAccessibility::detail::UrlLabelAccessible(label);
    return nullptr;
}

} // namespace

void InstallWidgetAccessibility()
{
    static const bool installed = (QAccessible::installFactory(WidgetAccessibleFactory), true);
    Q_UNUSED(installed);
}
