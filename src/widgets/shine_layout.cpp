#include "shine_layout.h"

#include <algorithm>

ShineDrawPosition CalcDrawPosition(QSize client, QSize glyph, QSize caption, Shine::TButtonLayout layout,
                                   int margin, int spacing)
{
    const QSize g = glyph.isEmpty() ? QSize(0, 0) : glyph;
    const QSize t = caption.isEmpty() ? QSize(0, 0) : caption;
    const int gap = (!g.isEmpty() && !t.isEmpty()) ? spacing : 0;
    const bool horizontal = layout == Shine::blGlyphLeft || layout == Shine::blGlyphRight;
    const bool glyphFirst = layout == Shine::blGlyphLeft || layout == Shine::blGlyphTop;

    QSize block;
    QPoint glyphAt;
    QPoint captionAt;
    if (horizontal) {
        block = QSize(g.width() + gap + t.width(), std::max(g.height(), t.height()));
        glyphAt = QPoint(glyphFirst ? 0 : t.width() + gap, (block.height() - g.height()) / 2);
        captionAt = QPoint(glyphFirst ? g.width() + gap : 0, (block.height() - t.height()) / 2);
    } else {
        block = QSize(std::max(g.width(), t.width()), g.height() + gap + t.height());
        glyphAt = QPoint((block.width() - g.width()) / 2, glyphFirst ? 0 : t.height() + gap);
        captionAt = QPoint((block.width() - t.width()) / 2, glyphFirst ? g.height() + gap : 0);
    }

    QPoint origin((client.width() - block.width()) / 2, (client.height() - block.height()) / 2);
    if (margin >= 0) {
        switch (layout) {
        case Shine::blGlyphLeft:
            origin.setX(margin);
            break;
        case Shine::blGlyphRight:
            origin.setX(client.width() - block.width() - margin);
            break;
        case Shine::blGlyphTop:
            origin.setY(margin);
            break;
        case Shine::blGlyphBottom:
            origin.setY(client.height() - block.height() - margin);
            break;
        }
    }
    return {origin + glyphAt, QRect(origin + captionAt, t)};
}
