// The notification-area icon of the desktop, through QSystemTrayIcon (on X11
// the XEmbed system tray or the StatusNotifierItem D-Bus protocol, whichever
// the desktop offers).
//
// The QSystemTrayIcon is created when the icon is first shown: creating it
// asks the session bus about the desktop's tray, which would delay every
// start of the program although most runs never use icon mode. Icon and tip
// set before that are kept and handed over then.
#pragma once

#include "ui/TrayIcon.h"

#include <QIcon>
#include <QSystemTrayIcon>

#include <memory>

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

    // The desktop's icon object, null until the icon was first shown.
    const QSystemTrayIcon* systemIcon() const { return icon_.get(); }

private:
    QSystemTrayIcon& createdIcon();

    std::unique_ptr<QSystemTrayIcon> icon_;
    QIcon picture_;
    QString toolTip_;
};

} // namespace quillotap
