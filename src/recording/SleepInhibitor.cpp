#include "recording/SleepInhibitor.h"

#include "settings/DesktopSessionBus.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace quillotap {

namespace {
const QString ApplicationName = QStringLiteral("Quillotap");

const QString LoginService = QStringLiteral("org.freedesktop.login1");
const QString LoginPath = QStringLiteral("/org/freedesktop/login1");
const QString LoginInterface = QStringLiteral("org.freedesktop.login1.Manager");

const QString ScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString ScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString ScreenSaverInterface = QStringLiteral("org.freedesktop.ScreenSaver");

// A bus that does not answer must not keep a request pending for long.
constexpr int CallTimeoutMs = 5000;
} // namespace

SleepInhibitor::SleepInhibitor(QObject* parent) : QObject(parent) {}

SleepInhibitor::SleepInhibitor(QDBusConnection systemBus, QDBusConnection sessionBus,
                               QObject* parent)
    : QObject(parent), systemBus_(std::move(systemBus)), sessionBus_(std::move(sessionBus)) {}

SleepInhibitor::~SleepInhibitor() {
    release();
}

void SleepInhibitor::connectBuses() {
    if (!systemBus_)
        systemBus_ = QDBusConnection::systemBus();
    if (!sessionBus_)
        sessionBus_ = DesktopSessionBus();
}

void SleepInhibitor::inhibit(const QString& reason) {
    if (requested_)
        return;
    requested_ = true;
    connectBuses();
    ++generation_;
    askLoginManager(reason);
    askScreenSaver(reason);
}

void SleepInhibitor::release() {
    if (!requested_)
        return;
    requested_ = false;
    ++generation_;
    // Closing the descriptor ends the login manager's lock.
    loginLock_ = QDBusUnixFileDescriptor();
    if (cookie_) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            ScreenSaverService, ScreenSaverPath, ScreenSaverInterface, QStringLiteral("UnInhibit"));
        call << *cookie_;
        sessionBus_->asyncCall(call, CallTimeoutMs);
        cookie_.reset();
    }
}

void SleepInhibitor::askLoginManager(const QString& reason) {
    if (!systemBus_->isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(LoginService, LoginPath, LoginInterface,
                                                       QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << ApplicationName << reason << QStringLiteral("block");
    auto* watcher = new QDBusPendingCallWatcher(systemBus_->asyncCall(call, CallTimeoutMs), this);
    const quint64 generation = generation_;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                QDBusPendingReply<QDBusUnixFileDescriptor> reply = *done;
                // An answer to an older request closes its descriptor here.
                if (generation == generation_ && !reply.isError())
                    loginLock_ = reply.value();
                emit answered();
            });
}

void SleepInhibitor::askScreenSaver(const QString& reason) {
    if (!sessionBus_->isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        ScreenSaverService, ScreenSaverPath, ScreenSaverInterface, QStringLiteral("Inhibit"));
    call << ApplicationName << reason;
    auto* watcher = new QDBusPendingCallWatcher(sessionBus_->asyncCall(call, CallTimeoutMs), this);
    const quint64 generation = generation_;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                QDBusPendingReply<uint> reply = *done;
                if (!reply.isError()) {
                    if (generation == generation_) {
                        cookie_ = reply.value();
                    } else {
                        // Granted after the recording ended: give it back.
                        QDBusMessage undo = QDBusMessage::createMethodCall(
                            ScreenSaverService, ScreenSaverPath, ScreenSaverInterface,
                            QStringLiteral("UnInhibit"));
                        undo << reply.value();
                        sessionBus_->asyncCall(undo, CallTimeoutMs);
                    }
                }
                emit answered();
            });
}

} // namespace quillotap
