#include "platform/systemstart.h"

#include <QByteArray>
#include <QtGlobal>
#include <fontconfig/fontconfig.h>

namespace pomiro::systemstart {

std::jthread beforeApplication()
{
    // X11 first, also in a Wayland session (through XWayland), unless the user chose: there the
    // window manager draws the title bar and keeps the fixed-size windows without a maximise
    // button, while Qt draws its own natively, with one (6.4, and still 6.8). Natively only where
    // there is no X server; the package brings Qt's Wayland platform for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    // Fontconfig sets itself up once per process, safely from any thread, and Qt finds it done.
    // QApplication's constructor calls no fontconfig function (Qt sets up its font database at the
    // first font asked for), and even if it did, fontconfig installs its configuration with an
    // atomic exchange, so at worst it would be read twice.
    return std::jthread([] { FcInit(); });
}

void afterApplication()
{
    // The set-up script and the package bring the IPA fonts as the system's own.
}

} // namespace pomiro::systemstart
