// Where a shine button puts its glyph and caption: both as one block, laid
// out by TButtonLayout, centred or kept Margin pixels from the glyph's edge.
#pragma once

#include "shine_types.h"

#include <QPoint>
#include <QRect>
#include <QSize>

struct ShineDrawPosition
{
    QPoint glyph;  // top-left of the glyph
    QRect caption; // the caption's extent
};

// glyph and caption are the sizes of the two parts, empty when absent;
// Spacing separates them only when both are present.
ShineDrawPosition CalcDrawPosition(QSize client, QSize glyph, QSize caption, Shine::TButtonLayout layout,
                                   int margin, int spacing);
