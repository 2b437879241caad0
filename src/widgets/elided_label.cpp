#include "elided_label.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

QString ElidePath(const QFontMetrics &metrics, const QString &path, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString name = slash < 0 ? path : path.mid(slash);
    const int nameWidth = metrics.horizontalAdvance(name);
    if (slash > 0 && nameWidth < width) {
        const QString folders = metrics.elidedText(path.left(slash), Qt::ElideMiddle, width - nameWidth);
        if (!folders.isEmpty())
            return folders + name;
    }
    return metrics.elidedText(path.mid(slash + 1), Qt::ElideMiddle, width);
}

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
    return ElidePath(fontMetrics(), text(), qMax(width, 0));
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
