// e2e_control_place NAME: prints "X Y", the middle of the main window's control with this object
// name in pixels of the window's client area, for the end-to-end scripts to click.
// e2e_control_place --rect NAME: prints "X Y WIDTH HEIGHT", the whole of it, for a script to look
// at. Exits 2 for a name the window has no control of.

#include "tests/e2e/controlplaces.h"

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    const bool whole = argc == 3 && std::strcmp(argv[1], "--rect") == 0;
    if (argc != 2 && !whole) {
        std::fputs("usage: e2e_control_place [--rect] OBJECT-NAME\n", stderr);
        return 2;
    }
    const char *name = argv[argc - 1];
    const QRect place = pomiro::testing::controlPlace(QString::fromLocal8Bit(name));
    if (place.isEmpty()) {
        std::fprintf(stderr, "e2e_control_place: the main window has no control named %s\n", name);
        return 2;
    }
    if (whole) {
        std::printf("%d %d %d %d\n", place.x(), place.y(), place.width(), place.height());
    } else {
        const QPoint middle = place.center();
        std::printf("%d %d\n", middle.x(), middle.y());
    }
    return 0;
}
