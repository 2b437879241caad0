#include "shine_frame.h"

#include <QPainter>

namespace {

// Horizontal or vertical run of pixels, both ends included, in either order.
void run(QPainter &painter, int x1, int y1, int x2, int y2, const QColor &colour)
{
    painter.fillRect(
        QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))),
        colour);
}

// Row y = i and column x = i, stopping short of the far edge (one more pixel
// short when shortened).
void topLeft(QPainter &painter, QSize size, int inset, const QColor &colour, bool shortened = false)
{
    const int end = shortened ? 3 : 2;
    run(painter, inset, inset, size.width() - end, inset, colour);
    run(painter, inset, inset, inset, size.height() - end, colour);
}

// Row y = height - i and column x = width - i, from that corner back to the
// near edge (or to the pixel after it).
void bottomRight(QPainter &painter, QSize size, int inset, const QColor &colour, bool shortened = false)
{
    const int stop = shortened ? 1 : 0;
    const int x = size.width() - inset;
    const int y = size.height() - inset;
    run(painter, x, y, stop, y, colour);
    run(painter, x, y, x, stop, colour);
}

} // namespace

bool ShineFrameVisible(Shine::T_ShineButtonState state, bool activeFrame, bool upFrame, bool downFrame)
{
    using namespace Shine;
    switch (state) {
    case _sbsActiveDown:
        return activeFrame;
    case _sbsDown:
        return downFrame;
    case _sbsActiveUp:
        return activeFrame;
    case _sbsUp:
    case _sbsDisableUp:
        return upFrame;
    }
    return false;
}

void DrawShineFrame(QPainter &painter, QSize size, Shine::TFrameType type, bool down,
                    const ShineFrameColours &colours)
{
    switch (type) {
    case Shine::ftFlatFrame:
        topLeft(painter, size, 0, down ? colours.shadow : colours.highlight);
        bottomRight(painter, size, 1, down ? colours.highlight : colours.shadow);
        break;
    case Shine::ftNormalFrame:
        if (down) {
            topLeft(painter, size, 1, colours.shadow);
            topLeft(painter, size, 0, colours.darkShadow);
            bottomRight(painter, size, 1, colours.highlight);
        } else {
            bottomRight(painter, size, 2, colours.shadow);
            bottomRight(painter, size, 1, colours.darkShadow);
            topLeft(painter, size, 0, colours.highlight);
        }
        break;
    case Shine::ftEnclosedFrame:
        topLeft(painter, size, 1, down ? colours.shadow : colours.highlight, true);
        bottomRight(painter, size, 2, down ? colours.highlight : colours.shadow, true);
        painter.fillRect(0, 0, size.width(), 1, colours.outline);
        painter.fillRect(0, size.height() - 1, size.width(), 1, colours.outline);
        painter.fillRect(0, 0, 1, size.height(), colours.outline);
        painter.fillRect(size.width() - 1, 0, 1, size.height(), colours.outline);
        break;
    }
}
