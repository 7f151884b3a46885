#include "recording/SleepInhibitor.h"

#include "settings/DesktopSessionBus.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>

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

void GiveBackCookie(QDBusConnection bus, uint cookie) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        ScreenSaverService, ScreenSaverPath, ScreenSaverInterface, QStringLiteral("UnInhibit"));
    call << cookie;
    bus.asyncCall(call, CallTimeoutMs);
}
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
        GiveBackCookie(*sessionBus_, *cookie_);
        cookie_.reset();
    }
}

void SleepInhibitor::askLoginManager(const QString& reason) {
    if (!systemBus_->isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(LoginService, LoginPath, LoginInterface,
                                                       QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << ApplicationName << reason << QStringLiteral("block");
    // The watcher belongs to no inhibitor: an answer arriving after the
    // inhibitor is gone is still received, and its descriptor closed.
    auto* watcher = new QDBusPendingCallWatcher(systemBus_->asyncCall(call, CallTimeoutMs));
    const quint64 generation = generation_;
    QPointer<SleepInhibitor> self(this);
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
            [self, generation](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                QDBusPendingReply<QDBusUnixFileDescriptor> reply = *done;
                if (!self)
                    return;
                // An answer to an older request closes its descriptor here.
                if (generation == self->generation_ && !reply.isError())
                    self->loginLock_ = reply.value();
                emit self->answered();
            });
}

void SleepInhibitor::askScreenSaver(const QString& reason) {
    if (!sessionBus_->isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        ScreenSaverService, ScreenSaverPath, ScreenSaverInterface, QStringLiteral("Inhibit"));
    call << ApplicationName << reason;
    // As above, a cookie granted after the inhibitor is gone (the program
    // quitting mid-request) is still given back.
    auto* watcher = new QDBusPendingCallWatcher(sessionBus_->asyncCall(call, CallTimeoutMs));
    const quint64 generation = generation_;
    QPointer<SleepInhibitor> self(this);
    const QDBusConnection bus = *sessionBus_;
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
            [self, generation, bus](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                QDBusPendingReply<uint> reply = *done;
                if (!reply.isError()) {
                    if (self && generation == self->generation_)
                        self->cookie_ = reply.value();
                    else
                        GiveBackCookie(bus, reply.value());
                }
                if (self)
                    emit self->answered();
            });
}

} // namespace quillotap
