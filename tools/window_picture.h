// A picture of the main window with a Japanese HTML document open.
#pragma once

#include <QImage>

// Starts the main window over a temporary program folder and draws it; a null image if start-up fails.
QImage WindowPicture();
