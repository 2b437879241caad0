#include "url_label.h"

#include "shell_open.h"

#include <QKeyEvent>
#include <QMouseEvent>

QUrl UrlLabelTarget(const QString &caption)
{
    QString target = caption.trimmed();
    const bool hasScheme = target.contains(QLatin1String("://")) ||
                           target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
    if (target.contains(QLatin1Char('@')) && !hasScheme)
        target.prepend(QLatin1String("mailto:"));
    return QUrl::fromUserInput(target);
}

TURLLabel::TURLLabel(QWidget *parent) : TURLLabel(QString(), parent) {}

TURLLabel::TURLLabel(const QString &caption, QWidget *parent)
    : QLabel(caption, parent), opener_([](const QUrl &url) { return OpenUrl(url); })
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

void TURLLabel::setHotTrack(bool value)
{
    // Switched off while lit: back to the normal colour, or it would stay lit.
    if (!value && normalColor_) {
        setFontColor(*normalColor_);
        normalColor_.reset();
    }
    SetAndRepaint(this, hotTrack_, value);
}

void TURLLabel::setOpener(Opener opener)
{
    opener_ = std::move(opener);
}

QColor TURLLabel::FontColor() const
{
    return palette().color(foregroundRole());
}

void TURLLabel::setFontColor(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(foregroundRole(), colour);
    setPalette(p);
    update();
}

void TURLLabel::enterEvent(QEnterEvent *event)
{
    // A second enter without a leave must not take the hover colour as normal.
    if (hotTrack_ && !normalColor_) {
        normalColor_ = FontColor();
        setFontColor(ColorToQColor(hotColor_, palette()));
    }
    QLabel::enterEvent(event);
}

void TURLLabel::leaveEvent(QEvent *event)
{
    if (hotTrack_ && normalColor_) {
        setFontColor(*normalColor_);
        normalColor_.reset();
    }
    QLabel::leaveEvent(event);
}

void TURLLabel::mousePressEvent(QMouseEvent *event)
{
    if (hotTrack_) {
        if (!normalColor_)
            normalColor_ = FontColor();
        setFontColor(ColorToQColor(pushedColor_, palette()));
    }
    Open();
    event->accept();
}

void TURLLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (hotTrack_ && normalColor_) {
        if (rect().contains(event->position().toPoint())) {
            setFontColor(ColorToQColor(hotColor_, palette()));
        } else {
            setFontColor(*normalColor_);
            normalColor_.reset();
        }
    }
    event->accept();
}

void TURLLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        Open();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TURLLabel::Open()
{
    if (executable_ && opener_ && !text().isEmpty())
        opener_(UrlLabelTarget(text()));
}
