#include "legible_colour.h"

#include <cmath>

namespace {

constexpr double Legible = 4.5;

double Channel(double value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor &c)
{
    return 0.2126 * Channel(c.redF()) + 0.7152 * Channel(c.greenF()) + 0.0722 * Channel(c.blueF());
}

QColor Mix(const QColor &from, const QColor &to, double t)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * t),
                            float(from.greenF() + (to.greenF() - from.greenF()) * t),
                            float(from.blueF() + (to.blueF() - from.blueF()) * t));
}

} // namespace

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor LegibleOn(const QColor &colour, const QColor &background)
{
    if (ContrastRatio(colour, background) >= Legible)
        return colour;
    // Black reaches at least 4.58 on any background whose luminance is above 0.179, white the rest.
    const QColor end = Luminance(background) > 0.179 ? QColor(Qt::black) : QColor(Qt::white);
    for (int step = 1; step < 20; ++step) {
        const QColor mixed = Mix(colour, end, step / 20.0);
        if (ContrastRatio(mixed, background) >= Legible)
            return mixed;
    }
    return end;
}
