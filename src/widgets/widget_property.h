// Property setters of the program's own widgets: store a changed value and
// repaint; an unchanged value costs nothing.
#pragma once

#include <QWidget>

template <typename T> void SetAndRepaint(QWidget *widget, T &field, T value)
{
    if (field == value)
        return;
    field = value;
    widget->update();
}
