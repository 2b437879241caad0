// Text colours that stay readable on the background they are drawn on,
// whatever the desktop's theme makes of it.
#pragma once

#include <QColor>

// WCAG's contrast ratio of two colours, 1 (same) to 21 (black on white).
double ContrastRatio(const QColor &a, const QColor &b);

// `colour` when it reaches a contrast of 4.5 on `background`; else the
// same colour darkened (on a light background) or lightened (on a dark one)
// just enough.
QColor LegibleOn(const QColor &colour, const QColor &background);
