// The bevel frame of a shine button, drawn as single-pixel lines at fixed
// insets from the edge.
#pragma once

#include "shine_types.h"

#include <QColor>
#include <QSize>

class QPainter;

struct ShineFrameColours
{
    QColor highlight;  // Highlight of the set in force
    QColor shadow;     // Shadow of the set in force
    QColor darkShadow; // DarkShadow of the set in force
    QColor outline;    // the enclosing rectangle: always the up set's DarkShadow
};

// Whether the frame shows in a state, given ActiveFrame, UpFrame and DownFrame.
bool ShineFrameVisible(Shine::T_ShineButtonState state, bool activeFrame, bool upFrame, bool downFrame);

// down selects the pressed look (states 0 and 1).
void DrawShineFrame(QPainter &painter, QSize size, Shine::TFrameType type, bool down,
                    const ShineFrameColours &colours);
