// One picture of the shine buttons in their states, frames, effects and
// layouts beside the link labels.
#pragma once

#include <QImage>

// Draws every look of the program's own widgets into one picture.
QImage WidgetsPicture();
