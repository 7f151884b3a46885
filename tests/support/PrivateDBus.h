#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace quillotap::test {

// A private D-Bus message bus for one test: its own socket in a temporary
// folder, stopped again when the object goes. dbus-daemon is a required test
// dependency; when it does not come up, ok() is false and error() says why.
class PrivateDBus {
public:
    PrivateDBus();
    ~PrivateDBus();
    PrivateDBus(const PrivateDBus&) = delete;
    PrivateDBus& operator=(const PrivateDBus&) = delete;

    bool ok() const { return error_.isEmpty(); }
    QString error() const { return error_; }
    // "unix:path=…", for QDBusConnection::connectToBus or the
    // DBUS_SESSION_BUS_ADDRESS / DBUS_SYSTEM_BUS_ADDRESS variables.
    QString address() const { return address_; }

private:
    QTemporaryDir dir_;
    QString address_;
    QString error_;
    std::unique_ptr<QProcess> process_;
};

} // namespace quillotap::test
