// The gradient face of a shine button: a 256-entry strip from the start
// colour to the end colour, stretched over the face.
#pragma once

#include <QImage>
#include <QRect>

class QPainter;

// 256 x 1, or 1 x 256 when vertical; entry i is start + (end - start) * i / 255
// per channel.
QImage MakeGradientStrip(QRgb start, QRgb end, bool vertical);

// Stretches the strip over rect so that its first entry lands on the first
// row (column) and its last entry on the last.
void StretchGradientStrip(QPainter &painter, const QRect &rect, const QImage &strip);
