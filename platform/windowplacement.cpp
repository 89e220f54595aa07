#include "platform/windowplacement.h"

#include <QScreen>
#include <QWidget>

namespace pomiro {

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void bringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace pomiro
