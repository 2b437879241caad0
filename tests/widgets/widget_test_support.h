// Shared helpers for the widget tests: a fixed palette so system colours are
// known, rendering to an image, and colour helpers.
#pragma once

#include "colour_value.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPalette>
#include <QTest>
#include <QWidget>

namespace widget_test {

inline const QColor face(212, 208, 200);
inline const QColor light(255, 255, 255);
inline const QColor dark(128, 128, 128);
inline const QColor frame(64, 64, 64);
inline const QColor highlight(10, 36, 106);
inline const QColor buttonText(0, 0, 0);

inline QPalette testPalette()
{
    QPalette p;
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::Light, light);
    p.setColor(QPalette::Dark, dark);
    p.setColor(QPalette::Shadow, frame);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::ButtonText, buttonText);
    p.setColor(QPalette::Window, QColor(230, 230, 230));
    p.setColor(QPalette::WindowText, QColor(0, 0, 0));
    return p;
}

inline QImage render(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor at(const QImage &image, int x, int y)
{
    return QColor::fromRgb(image.pixel(x, y));
}

// An opaque glyph: key-coloured (magenta) except for the given pixels.
inline QImage keyedGlyph(QSize size, std::initializer_list<std::pair<QPoint, QRgb>> pixels)
{
    QImage glyph(size, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 255));
    for (const auto &[point, rgb] : pixels)
        glyph.setPixel(point, rgb);
    return glyph;
}

// Bounding box of the pixels of image that differ from background.
inline QRect inkBounds(const QImage &image, QColor background, QRect area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background.rgb())
                bounds = bounds.united(QRect(x, y, 1, 1));
    return bounds;
}

// Pointer moves reach a real X server asynchronously; waits (up to a
// second, or `ms`) until the widget has seen them.
template <typename Predicate> bool waitUntil(Predicate done, int ms = 1000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < ms)
        QTest::qWait(5);
    return done();
}

} // namespace widget_test
