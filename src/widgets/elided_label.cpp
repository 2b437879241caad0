#include "elided_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

ElidedLabel::ElidedLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    // Whatever its width, it never asks for the whole text's.
    setMinimumWidth(0);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QString ElidedLabel::shownText() const
{
    const int width = contentsRect().width() - 2 * qMax(margin(), 0) - qMax(indent(), 0);
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, qMax(width, 0));
}

bool ElidedLabel::event(QEvent *event)
{
    // A shortened text shows whole in its tooltip.
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const QString shown = shownText();
        if (shown != text())
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

void ElidedLabel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const int inset = qMax(margin(), 0);
    QRect area = contentsRect().adjusted(inset, inset, -inset, -inset);
    if (indent() > 0)
        area.setLeft(area.left() + indent());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, int(alignment()), shownText());
}
