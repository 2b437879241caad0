#include "shine_face.h"

#include <QPainter>

namespace {

int blend(int start, int end, int i)
{
    return start + (end - start) * i / 255;
}

} // namespace

QImage MakeGradientStrip(QRgb start, QRgb end, bool vertical)
{
    QImage strip(vertical ? QSize(1, 256) : QSize(256, 1), QImage::Format_RGB32);
    for (int i = 0; i < 256; ++i) {
        const QRgb entry = qRgb(blend(qRed(start), qRed(end), i), blend(qGreen(start), qGreen(end), i),
                                blend(qBlue(start), qBlue(end), i));
        strip.setPixel(vertical ? 0 : i, vertical ? i : 0, entry);
    }
    return strip;
}

void StretchGradientStrip(QPainter &painter, const QRect &rect, const QImage &strip)
{
    const bool vertical = strip.height() > strip.width();
    const int extent = vertical ? rect.height() : rect.width();
    const int entries = vertical ? strip.height() : strip.width();
    for (int i = 0; i < extent; ++i) {
        const int entry = extent > 1 ? i * (entries - 1) / (extent - 1) : 0;
        const QColor colour = QColor::fromRgb(vertical ? strip.pixel(0, entry) : strip.pixel(entry, 0));
        if (vertical)
            painter.fillRect(rect.left(), rect.top() + i, rect.width(), 1, colour);
        else
            painter.fillRect(rect.left() + i, rect.top(), 1, rect.height(), colour);
    }
}
