// Asks the desktop's file manager to show its property sheet for a file,
// through the org.freedesktop.FileManager1 service on the session bus.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace quillotap {

class FileProperties : public QObject {
    Q_OBJECT
public:
    static constexpr const char* Service = "org.freedesktop.FileManager1";
    static constexpr const char* Path = "/org/freedesktop/FileManager1";
    static constexpr const char* Interface = "org.freedesktop.FileManager1";
    // How long a file manager may take to answer, activation included.
    static constexpr int ReplyTimeoutMs = 10000;

    // Uses the session bus named by DBUS_SESSION_BUS_ADDRESS unless told
    // otherwise. It is connected on the first request, and never started on
    // demand: a desktop without a session bus has no file manager to ask.
    explicit FileProperties(QObject* parent = nullptr);

    void setBus(const QDBusConnection& bus) { bus_ = bus; }

    // The "file://" address the request names the file by.
    static QString FileUri(const QString& path);

    // Sends the request without waiting; `answered` runs once, on this
    // thread: true when a file manager took the request, false (with the
    // bus's reason) when no session bus is reachable or nothing there
    // answered.
    using Answer = std::function<void(bool shown, const QString& reason)>;
    void Show(const QString& path, Answer answered);

private:
    QDBusConnection bus();

    std::optional<QDBusConnection> bus_;
};

} // namespace quillotap
