#pragma once

#include "hotkeys/GlobalShortcutsPortal.h"
#include "support/PrivateDBus.h"

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace quillotap::test {

// The desktop's portal for one test, on a private session bus: the real
// xdg-desktop-portal front end (/usr/libexec/xdg-desktop-portal) with the
// test back end for global shortcuts (support/portal/
// global_shortcuts_backend.py, chosen through the quillotap-test.portal file
// in XDG_DESKTOP_PORTAL_DIR and XDG_CURRENT_DESKTOP=quillotap-test). With
// WithoutPortal only the bus is started: a desktop that offers no portal.
//
// The back end binds whatever is asked and is steered through its control
// interface: press keys (activate, deactivate), answer binds, change
// triggers, and tell what was bound. Everything stops with the object.
class PrivatePortal {
public:
    enum Mode { WithPortal, WithoutPortal };
    explicit PrivatePortal(Mode mode = WithPortal);
    ~PrivatePortal();
    PrivatePortal(const PrivatePortal&) = delete;
    PrivatePortal& operator=(const PrivatePortal&) = delete;

    bool ok() const { return error_.isEmpty(); }
    QString error() const { return error_; }
    QString address() const { return bus_.address(); }

    // A new connection to the private bus for the program under test.
    QDBusConnection connect(const QString& name);

    // ---- the back end ----
    bool activate(const QString& id);
    bool deactivate(const QString& id);
    // Activated, then Deactivated at once.
    bool press(const QString& id);
    // The trigger the desktop assigns to that shortcut from now on; a bound
    // shortcut's change is announced with ShortcutsChanged.
    bool setTrigger(const QString& id, const QString& description);
    // 0 binds, 1 the user cancelled, 2 failed.
    bool setBindResponse(uint response);
    // Later binds leave this shortcut out of their answer.
    bool leaveOut(const QString& id);
    int bindCount();
    // The shortcuts of the last bind as they were asked for: description
    // and preferred trigger.
    PortalShortcutList bound();
    // Every call the back end received ("CreateSession app_id=", ...).
    QStringList calls();

    // The back end's log, for failure messages.
    QString log() const;

private:
    bool control(const QString& method, const QList<QVariant>& arguments = {},
                 QList<QVariant>* reply = nullptr);
    bool startBackEnd();
    bool startFrontEnd();

    PrivateDBus bus_;
    QTemporaryDir dir_;
    QString error_;
    std::unique_ptr<QProcess> backEnd_;
    std::unique_ptr<QProcess> frontEnd_;
    QStringList connections_;
};

} // namespace quillotap::test
