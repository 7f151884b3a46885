// Keeps the computer awake while a recording runs. A suspended machine stops
// capturing, so for the length of a recording the program holds two requests:
// a "sleep" and "idle" block lock of the login manager (org.freedesktop.login1
// on the system bus, released by closing the file descriptor it hands out) and
// an inhibition of the desktop's screen saver and idle actions
// (org.freedesktop.ScreenSaver on the session bus, released with its cookie).
// Either may be missing (no systemd, no desktop, a refusing policy); the other
// still applies and nothing is reported to the user.
//
// All calls are asynchronous: starting a recording never waits for a bus.
#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>
#include <optional>

namespace quillotap {

class SleepInhibitor : public QObject {
    Q_OBJECT
public:
    // Uses the system bus for the login manager and the desktop's session
    // bus for the screen saver, both connected at the first request.
    explicit SleepInhibitor(QObject* parent = nullptr);
    SleepInhibitor(QDBusConnection systemBus, QDBusConnection sessionBus,
                   QObject* parent = nullptr);
    ~SleepInhibitor() override;

    // Asks both services not to suspend; does nothing while already asked.
    void inhibit(const QString& reason);
    // Drops whatever was granted, and any answer still to come.
    void release();

    // A request is outstanding or held.
    bool isRequested() const { return requested_; }
    // What the services granted so far.
    bool holdsLoginLock() const { return loginLock_.isValid(); }
    bool holdsScreenSaverCookie() const { return cookie_.has_value(); }

signals:
    // A service answered (granted or refused).
    void answered();

private:
    void askLoginManager(const QString& reason);
    void askScreenSaver(const QString& reason);

    void connectBuses();

    std::optional<QDBusConnection> systemBus_;
    std::optional<QDBusConnection> sessionBus_;
    bool requested_ = false;
    // Answers that arrive for an older request are dropped (and a granted
    // lock of theirs released at once).
    quint64 generation_ = 0;
    QDBusUnixFileDescriptor loginLock_;
    std::optional<uint> cookie_;
};

} // namespace quillotap
