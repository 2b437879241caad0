// A small sunken panel that shows one colour value.
#pragma once

#include "colour_value.h"

#include <QFrame>

class ColourSwatch : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE setColor)

public:
    explicit ColourSwatch(QWidget *parent = nullptr);

    TColor Color() const { return colour_; }
    void setColor(TColor value);

private:
    TColor colour_ = clWhite;
};
