#include "ui/SystemTrayIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

namespace quillotap {

namespace {
const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");
} // namespace

SystemTrayIcon::SystemTrayIcon() = default;
SystemTrayIcon::~SystemTrayIcon() = default;

void SystemTrayIcon::watchStatusNotifierHost() const {
    if (hostWatched_)
        return;
    hostWatched_ = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return;
    auto* self = const_cast<SystemTrayIcon*>(this);
    hostWatcher_ = std::make_unique<QDBusServiceWatcher>(WatcherService, bus,
                                                         QDBusServiceWatcher::WatchForOwnerChange);
    QObject::connect(hostWatcher_.get(), &QDBusServiceWatcher::serviceOwnerChanged, self,
                     [self](const QString&, const QString&, const QString& newOwner) {
                         self->hostOnBus_ = !newOwner.isEmpty();
                         self->forgetAvailability();
                     });
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
        bus.connect(WatcherService, WatcherPath, WatcherService, QString::fromLatin1(signal), self,
                    SLOT(forgetAvailability()));
    hostOnBus_ = bus.interface()->isServiceRegistered(WatcherService);
}

void SystemTrayIcon::forgetAvailability() {
    available_.reset();
}

QSystemTrayIcon& SystemTrayIcon::createdIcon() {
    if (icon_)
        return *icon_;
    icon_ = std::make_unique<QSystemTrayIcon>(picture_);
    icon_->setObjectName(QStringLiteral("TrayIcon"));
    icon_->setToolTip(toolTip_);
    // No context menu is ever set: a right click is a command of its own
    // (back to the window) and must not open a menu on top of it.
    // The click is handled once the tray's mouse event is over: leaving icon
    // mode removes the icon, and with it the widget that reports the click.
    QSystemTrayIcon* icon = icon_.get();
    QObject::connect(icon, &QSystemTrayIcon::activated, icon,
                     [this, icon](QSystemTrayIcon::ActivationReason reason) {
                         QMetaObject::invokeMethod(
                             icon, [this, reason] { activate(reason); }, Qt::QueuedConnection);
                     });
    return *icon_;
}

bool SystemTrayIcon::isAvailable() const {
    watchStatusNotifierHost();
    if (available_)
        return *available_;
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    // An XEmbed tray comes and goes without a word on the bus: only the
    // answer given while a StatusNotifierItem watcher is there is kept.
    if (hostOnBus_)
        available_ = available;
    return available;
}

void SystemTrayIcon::show() {
    createdIcon().show();
}

void SystemTrayIcon::hide() {
    if (icon_)
        icon_->hide();
}

bool SystemTrayIcon::isVisible() const {
    return icon_ && icon_->isVisible();
}

void SystemTrayIcon::setIcon(const QIcon& icon) {
    picture_ = icon;
    if (icon_)
        icon_->setIcon(icon);
}

void SystemTrayIcon::setToolTip(const QString& text) {
    toolTip_ = text;
    if (icon_)
        icon_->setToolTip(text);
}

void SystemTrayIcon::showMessage(const QString& title, const QString& text) {
    createdIcon().showMessage(title, text, QSystemTrayIcon::Information);
}

void SystemTrayIcon::activate(QSystemTrayIcon::ActivationReason reason) {
    // A double click arrives as Trigger for its first press and DoubleClick
    // for its second; only the first counts, so a habitual double click
    // starts (or stops) a recording once instead of starting and at once
    // stopping it.
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        leftClicked();
        break;
    case QSystemTrayIcon::Context:
        rightClicked();
        break;
    default:
        break;
    }
}

} // namespace quillotap
