#include "colour_swatch.h"

ColourSwatch::ColourSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setFixedSize(41, 17);
    setColor(clWhite);
}

void ColourSwatch::setColor(TColor value)
{
    colour_ = value;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColorToQColor(value, pal));
    setPalette(pal);
}
