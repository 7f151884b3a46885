#include "ui/SystemTrayIcon.h"

namespace quillotap {

SystemTrayIcon::SystemTrayIcon() {
    icon_.setObjectName(QStringLiteral("TrayIcon"));
    // No context menu is ever set: a right click is a command of its own
    // (back to the window) and must not open a menu on top of it.
    // The click is handled once the tray's mouse event is over: leaving icon
    // mode removes the icon, and with it the widget that reports the click.
    QObject::connect(&icon_, &QSystemTrayIcon::activated, &icon_,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         QMetaObject::invokeMethod(
                             &icon_, [this, reason] { activate(reason); }, Qt::QueuedConnection);
                     });
}

bool SystemTrayIcon::isAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTrayIcon::show() {
    icon_.show();
}

void SystemTrayIcon::hide() {
    icon_.hide();
}

bool SystemTrayIcon::isVisible() const {
    return icon_.isVisible();
}

void SystemTrayIcon::setIcon(const QIcon& icon) {
    icon_.setIcon(icon);
}

void SystemTrayIcon::setToolTip(const QString& text) {
    icon_.setToolTip(text);
}

void SystemTrayIcon::showMessage(const QString& title, const QString& text) {
    icon_.showMessage(title, text, QSystemTrayIcon::Information);
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
