// The desktop session's D-Bus bus, without ever starting one: libdbus would
// launch a private bus when no address is known, and that bus outlives the
// program and has none of the desktop's services on it.
#pragma once

#include <QDBusConnection>

namespace quillotap {

// The session bus named by DBUS_SESSION_BUS_ADDRESS; without that address an
// unconnected connection (isConnected() false).
QDBusConnection DesktopSessionBus();

} // namespace quillotap
