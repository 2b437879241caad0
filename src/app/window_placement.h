// Where the main window opens and what is stored of it. The client area is
// stored and restored: the frame is unknown before the window is shown, and
// storing it would move the window on every start.
#pragma once

#include <QRect>

class QWidget;

// Places `window`'s client area at `stored`, moved and shrunk onto the screens.
void RestoreClientArea(QWidget *window, const QRect &stored);
// The client area to store: the normal one when maximized, minimized or full screen.
QRect ClientAreaToStore(const QWidget *window);
