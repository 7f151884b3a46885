// The notification-area icon of the desktop, through QSystemTrayIcon (on X11
// the XEmbed system tray or the StatusNotifierItem D-Bus protocol, whichever
// the desktop offers).
//
// The QSystemTrayIcon is created when the icon is first shown: creating it
// asks the session bus about the desktop's tray, which would delay every
// start of the program although most runs never use icon mode. Icon and tip
// set before that are kept and handed over then.
//
// Where the tray is a StatusNotifierItem host, Qt answers whether a tray is
// available with a new session-bus connection and several round trips each
// time; icon mode asks every second. That answer is kept for as long as the
// host's watcher keeps its place on the bus and announces no change of host.
#pragma once

#include "ui/TrayIcon.h"

#include <QIcon>
#include <QSystemTrayIcon>

#include <memory>
#include <optional>

class QDBusServiceWatcher;

namespace quillotap {

class SystemTrayIcon : public QObject, public TrayIcon {
    Q_OBJECT
public:
    SystemTrayIcon();
    ~SystemTrayIcon() override;

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

private slots:
    void forgetAvailability();

private:
    QSystemTrayIcon& createdIcon();
    void watchStatusNotifierHost() const;

    std::unique_ptr<QSystemTrayIcon> icon_;
    QIcon picture_;
    QString toolTip_;
    mutable std::unique_ptr<QDBusServiceWatcher> hostWatcher_;
    mutable bool hostWatched_ = false;
    mutable bool hostOnBus_ = false;
    mutable std::optional<bool> available_; // the kept answer
};

} // namespace quillotap
