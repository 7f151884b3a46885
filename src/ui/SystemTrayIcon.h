// The notification-area icon of the desktop, through QSystemTrayIcon (on X11
// the XEmbed system tray or the StatusNotifierItem D-Bus protocol, whichever
// the desktop offers).
#pragma once

#include "ui/TrayIcon.h"

#include <QSystemTrayIcon>

namespace quillotap {

class SystemTrayIcon : public TrayIcon {
public:
    SystemTrayIcon();

    bool isAvailable() const override;
    void show() override;
    void hide() override;
    bool isVisible() const override;
    void setIcon(const QIcon& icon) override;
    void setToolTip(const QString& text) override;
    void showMessage(const QString& title, const QString& text) override;

    // The activation as the desktop reports it: a left click (Trigger) and a
    // right click (Context) reach the handlers; a double click, a middle
    // click and anything else do nothing.
    void activate(QSystemTrayIcon::ActivationReason reason);

private:
    QSystemTrayIcon icon_;
};

} // namespace quillotap
