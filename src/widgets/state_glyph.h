// The picture a shine button draws for its glyph in a given state: the hot
// effects, the disabled effects, with key (transparent) pixels left alone.
//
// Key pixels: for a glyph with fully transparent pixels (a theme icon) those
// pixels; otherwise every pixel of the bottom-left pixel's colour.
#pragma once

#include "shine_types.h"

#include <QImage>

// A glyph as the button holds it: 32 bits per pixel, alpha kept if present.
QImage NormalizeGlyph(const QImage &glyph);

struct StateGlyph
{
    // ARGB32; key pixels are fully transparent. For the disabled edge map,
    // edge pixels are opaque white and all others transparent.
    QImage image;
    bool edgeMap = false;
};

// shine and face are the RGB of ShineColor and Colors.Color. An empty glyph
// gives an empty image.
StateGlyph CreateStateGlyph(const QImage &glyph, Shine::T_ShineButtonState state,
                            Shine::TActiveImageType active, Shine::TDisabledImageType disabled, QRgb shine,
                            QRgb face);

// The edge map coloured: its white pixels in colour, the rest transparent.
QImage TintEdgeMap(const QImage &edgeMap, const QColor &colour);
