#include "window_placement.h"

#include "startup_rules.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

void RestoreClientArea(QWidget *window, const QRect &stored)
{
    QList<QRect> screens;
    if (window->screen() != nullptr)
        screens << window->screen()->availableGeometry();
    for (const QScreen *other : QGuiApplication::screens())
        screens << other->availableGeometry();
    // The minimum size follows the regions as they are now, not as they were
    // built: a stale minimum would widen the stored size.
    if (window->layout() != nullptr)
        window->layout()->activate();
    window->setGeometry(FitOnScreens(stored, screens));
}

QRect ClientAreaToStore(const QWidget *window)
{
    return window->isMaximized() || window->isMinimized() || window->isFullScreen() ? window->normalGeometry()
                                                                                    : window->geometry();
}
