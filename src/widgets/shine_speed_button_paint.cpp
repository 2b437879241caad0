// Drawing of the shine speed button: face, glyph and caption, frame.
#include "shine_face.h"
#include "shine_frame.h"
#include "shine_layout.h"
#include "shine_speed_button.h"
#include "state_glyph.h"

#include <QPainter>

using namespace Shine;

int TShineSpeedButton::captionFlags(int alignment) const
{
    return alignment | (showAccelChar_ ? Qt::TextShowMnemonic : 0);
}

QColor TShineSpeedButton::colour(TColor value) const
{
    return ColorToQColor(value, palette());
}

// In widget pixels: a glyph from a high-DPI icon holds more device pixels.
QSize TShineSpeedButton::glyphExtent() const
{
    return glyph_.deviceIndependentSize().toSize();
}

QSize TShineSpeedButton::captionExtent(const QFont &font) const
{
    if (caption_.isEmpty())
        return QSize();
    return QFontMetrics(font)
        .boundingRect(QRect(0, 0, width(), 0), captionFlags(Qt::AlignLeft), caption_)
        .size();
}

QSize TShineSpeedButton::sizeHint() const
{
    const ShineDrawPosition at =
        CalcDrawPosition(QSize(), glyphExtent(), captionExtent(font()), layout_, -1, spacing_);
    const QRect block = QRect(at.glyph, glyphExtent()).united(at.caption);
    return QSize(std::max(25, block.width() + 8), std::max(25, block.height() + 8));
}

void TShineSpeedButton::paintEvent(QPaintEvent *)
{
    if (!isEnabled()) {
        state_ = _sbsDisableUp;
        pressing_ = false;
    }
    // Qt's backing store is the off-screen bitmap; the opaque face covers
    // every pixel, so nothing flickers.
    QPainter painter(this);
    BackDraw(painter);
    ImageDraw(painter);
    FrameDraw(painter);
    if (hasFocus()) {
        // White edged with black shows on every face colour, where the style's dotted frame vanishes.
        const QRect frame = rect().adjusted(3, 3, -4, -4);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 3));
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(frame);
    }
}

void TShineSpeedButton::BackDraw(QPainter &painter)
{
    if (transparent_)
        return;
    const TShineBtnColors *set = IsDownState(state_) ? pressedColors_ : colors_;
    const QColor start = colour(set->Color());
    if (!set->Gradation()) {
        painter.fillRect(rect(), start);
        return;
    }
    const QImage strip = MakeGradientStrip(start.rgb(), colour(set->GradColor()).rgb(), set->GradVertical());
    StretchGradientStrip(painter, rect(), strip);
}

void TShineSpeedButton::ImageDraw(QPainter &painter)
{
    const bool hot = IsHotState(state_);
    const QFont canvasFont = hot ? ActiveFont() : font();
    painter.setFont(canvasFont);

    const StateGlyph glyph = CreateStateGlyph(glyph_, state_, activeImage_, disabledImage_,
                                              colour(shineColor_).rgb(), colour(colors_->Color()).rgb());
    ShineDrawPosition at =
        CalcDrawPosition(size(), glyphExtent(), captionExtent(canvasFont), layout_, margin_, spacing_);
    if (IsDownState(state_)) {
        at.glyph += QPoint(1, 1);
        at.caption.translate(1, 1);
    }

    if (glyph.edgeMap) {
        painter.drawImage(at.glyph + QPoint(1, 1), TintEdgeMap(glyph.image, colour(disabledHighlight_)));
        painter.drawImage(at.glyph, TintEdgeMap(glyph.image, colour(disabledShadow_)));
    } else if (!glyph.image.isNull()) {
        painter.drawImage(at.glyph, glyph.image);
    }

    if (caption_.isEmpty())
        return;
    const auto caption = [&](QPoint offset, TColor value) {
        painter.setPen(colour(value));
        painter.drawText(at.caption.translated(offset), captionFlags(Qt::AlignHCenter | Qt::AlignTop),
                         caption_);
    };
    if (state_ == _sbsDisableUp) {
        caption(QPoint(1, 1), disabledHighlight_);
        caption(QPoint(0, 0), disabledShadow_);
        return;
    }
    if (fontShadow_ != clNone)
        caption(QPoint(1, 1), fontShadow_);
    if (fontHighlight_ != clNone)
        caption(QPoint(-1, -1), fontHighlight_);
    caption(QPoint(0, 0), hot ? activeFontColor_ : fontColor_);
}

void TShineSpeedButton::FrameDraw(QPainter &painter)
{
    if (!ShineFrameVisible(state_, activeFrame_, upFrame_, downFrame_))
        return;
    const bool down = IsDownState(state_);
    const TShineBtnColors *set = down ? pressedColors_ : colors_;
    DrawShineFrame(painter, size(), frameType_, down,
                   {colour(set->Highlight()), colour(set->Shadow()), colour(set->DarkShadow()),
                    colour(colors_->DarkShadow())});
}
