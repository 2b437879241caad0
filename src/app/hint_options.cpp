#include "hint_options.h"

#include "colour_value.h"
#include "startup_rules.h"

#include <QApplication>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QToolTip>

namespace {

class HintStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return HintPause;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Shows every hint itself so that each one is wrapped to the width limit
// and hidden after the pause.
class HintFilter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->toolTip().isEmpty())
            return false;
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString text = WrapHintText(widget->toolTip(), QFontMetrics(QToolTip::font()), HintMaxWidth);
        // A hint is plain text: a help text that mentions <h1> must not become a heading.
        QToolTip::showText(help->globalPos(), PlainHintMarkup(text), widget, QRect(), HintHidePause);
        return true;
    }
};

} // namespace

QString PlainHintMarkup(const QString &plain)
{
    return QStringLiteral("<p style='white-space:pre'>") + plain.toHtmlEscaped() + QStringLiteral("</p>");
}

void InstallHintOptions()
{
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (app == nullptr || app->property("qumoHintOptions").toBool())
        return;
    app->setProperty("qumoHintOptions", true);
    QApplication::setStyle(new HintStyle(QApplication::style()->name()));
    app->installEventFilter(new HintFilter(app));
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, ColorToQColor(0xFFE8E8, palette));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
}
