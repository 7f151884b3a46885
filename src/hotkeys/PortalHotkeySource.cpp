#include "hotkeys/PortalHotkeySource.h"

#include "hotkeys/HotkeyRows.h"
#include "hotkeys/HotkeyTable.h"
#include "hotkeys/PortalTrigger.h"

namespace quillotap {

namespace {

const QString kEnabled = QStringLiteral("Enabled");

} // namespace

PortalHotkeySource::PortalHotkeySource(const QDBusConnection& bus, const HotkeyRows& rows,
                                       QObject* parent)
    : HotkeySource(parent), rows_(rows), portal_(bus) {
    connect(&portal_, &GlobalShortcutsPortal::missing, this, [this](const QString& reason) {
        setReach(HotkeyReach::Local, reason);
        emit missing();
    });
    connect(&portal_, &GlobalShortcutsPortal::failed, this,
            [this](const QString& reason) { setReach(HotkeyReach::Local, reason); });
    connect(&portal_, &GlobalShortcutsPortal::bindDeclined, this, [this](uint response) {
        setReach(HotkeyReach::Local,
                 response == 1 ? tr("The request to set up the program's shortcuts was declined.")
                               : tr("The desktop's shortcut service could not set up the program's "
                                    "shortcuts."));
    });
    // The rows are read when the session opens: the table is filled after
    // the hotkeys are armed.
    connect(&portal_, &GlobalShortcutsPortal::opened, this,
            [this] { portal_.bind(wantedShortcuts()); });
    connect(&portal_, &GlobalShortcutsPortal::bound, this, &PortalHotkeySource::showBound);
    connect(&portal_, &GlobalShortcutsPortal::shortcutsChanged, this,
            [this](const PortalShortcutList& shortcuts) {
                for (const PortalShortcut& shortcut : shortcuts) {
                    if (const int row = PortalShortcutRow(shortcut.id))
                        emit triggerAssigned(row, shortcut.trigger);
                }
            });
    connect(&portal_, &GlobalShortcutsPortal::activated, this, [this](const QString& id) {
        if (const int row = enabledRow(id))
            emit pressed(row);
    });
    connect(&portal_, &GlobalShortcutsPortal::deactivated, this, [this](const QString& id) {
        // A release always counts, so no row stays held after being disabled.
        if (const int row = PortalShortcutRow(id))
            emit released(row);
    });
}

void PortalHotkeySource::start() {
    if (started_)
        return;
    started_ = true;
    portal_.open();
}

void PortalHotkeySource::rowsChanged() {
    // Before the session is open there is nothing to redo: the first bind
    // reads the rows as they are then.
    if (portal_.isOpen())
        portal_.bind(wantedShortcuts());
}

PortalShortcutList PortalHotkeySource::wantedShortcuts() {
    PortalShortcutList shortcuts;
    asked_.clear();
    HotkeyRow row;
    for (int n = 1; n <= HotkeyRowCount; ++n) {
        if (!rows_.readRow(n, &row) || row.status != kEnabled)
            continue;
        const QString trigger = PortalTrigger(row.code);
        if (trigger.isEmpty())
            continue; // a code that never fires is not offered either
        asked_.append(n);
        shortcuts.append({PortalShortcutId(n), HotkeyFunctionText(n), trigger});
    }
    return shortcuts;
}

void PortalHotkeySource::showBound(const PortalShortcutList& shortcuts) {
    // A row the desktop left out, or bound without keys, has no trigger.
    for (const int row : asked_) {
        QString trigger;
        for (const PortalShortcut& shortcut : shortcuts) {
            if (PortalShortcutRow(shortcut.id) == row)
                trigger = shortcut.trigger;
        }
        emit triggerAssigned(row, trigger);
    }
    if (!asked_.isEmpty() && shortcuts.isEmpty())
        setReach(HotkeyReach::Local, tr("The desktop assigned none of the program's shortcuts."));
    else
        setReach(HotkeyReach::Global);
}

int PortalHotkeySource::enabledRow(const QString& id) const {
    const int n = PortalShortcutRow(id);
    HotkeyRow row;
    return n != 0 && rows_.readRow(n, &row) && row.status == kEnabled ? n : 0;
}

void PortalHotkeySource::setReach(HotkeyReach::State state, const QString& reason) {
    const HotkeyReach reach{state, reason};
    if (reach == reach_)
        return;
    reach_ = reach;
    emit reachChanged(reach_);
}

} // namespace quillotap
