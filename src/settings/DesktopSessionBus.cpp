#include "settings/DesktopSessionBus.h"

namespace quillotap {

QDBusConnection DesktopSessionBus() {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return QDBusConnection(QStringLiteral("quillotap-no-session-bus"));
    return QDBusConnection::sessionBus();
}

} // namespace quillotap
