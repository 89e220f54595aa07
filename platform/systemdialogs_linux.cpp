#include "platform/systemdialogs.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFileInfo>
#include <QString>

namespace pomiro {

bool systemFileChooserAvailable()
{
    // The desktop's file chooser portal. Only a session bus that is already there is asked:
    // connecting to none would start one.
    const QString runtimeBus = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
    if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS") && !QFileInfo::exists(runtimeBus))
        return false;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.portal.Desktop"));
}

} // namespace pomiro
