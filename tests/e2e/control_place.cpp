// e2e_control_place NAME: prints "X Y", the middle of the main window's control with this object
// name in pixels of the window's client area, for the end-to-end scripts to click. Exits 2 for a
// name the window has no control of.

#include "tests/e2e/controlplaces.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: e2e_control_place OBJECT-NAME\n", stderr);
        return 2;
    }
    const QRect place = pomiro::testing::controlPlace(QString::fromLocal8Bit(argv[1]));
    if (place.isEmpty()) {
        std::fprintf(stderr, "e2e_control_place: the main window has no control named %s\n",
                     argv[1]);
        return 2;
    }
    const QPoint middle = place.center();
    std::printf("%d %d\n", middle.x(), middle.y());
    return 0;
}
