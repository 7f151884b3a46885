// The hotkey source of a desktop with the GlobalShortcuts portal (the
// Wayland sessions of GNOME and KDE Plasma): the enabled rows are bound as
// the portal's shortcuts, each under its fixed id with its function text as
// the description and its code as the preferred trigger, and the portal's
// Activated and Deactivated signals become presses and releases of the rows.
//
// The rows are bound at every start, even when the desktop remembers them
// from an earlier run (they stay dead in a new session until bound), and
// bound again whenever the table changes. The desktop may ask the user to
// confirm, and may assign other keys than the ones asked for: the triggers it
// reports, with the bind's answer and with ShortcutsChanged, are passed on
// through triggerAssigned().
#pragma once

#include "hotkeys/GlobalShortcutsPortal.h"
#include "hotkeys/HotkeySource.h"

#include <QList>

namespace quillotap {

class HotkeyRows;

class PortalHotkeySource : public HotkeySource {
    Q_OBJECT
public:
    PortalHotkeySource(const QDBusConnection& bus, const HotkeyRows& rows,
                       QObject* parent = nullptr);

    void start() override;
    void rowsChanged() override;
    HotkeyReach reach() const override { return reach_; }

    GlobalShortcutsPortal& portal() { return portal_; }

signals:
    // The desktop offers no GlobalShortcuts portal (the reach is Local).
    void missing();

private:
    // The enabled rows whose codes can fire, as portal shortcuts.
    PortalShortcutList wantedShortcuts();
    void setReach(HotkeyReach::State state, const QString& reason = {});
    void showBound(const PortalShortcutList& shortcuts);
    // The row a portal id stands for, when that row is enabled now.
    int enabledRow(const QString& id) const;

    const HotkeyRows& rows_;
    GlobalShortcutsPortal portal_;
    HotkeyReach reach_;
    QList<int> asked_; // the rows of the bind last sent
    bool started_ = false;
};

} // namespace quillotap
