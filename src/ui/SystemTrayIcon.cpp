#include "ui/SystemTrayIcon.h"

namespace quillotap {

SystemTrayIcon::SystemTrayIcon() = default;

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
    return QSystemTrayIcon::isSystemTrayAvailable();
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
