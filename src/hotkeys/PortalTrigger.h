// How hotkey rows are named to the desktop's GlobalShortcuts portal: each row
// has a fixed shortcut id, so the desktop recognises the rows again at the
// next start and keeps the keys the user chose for them, and each hotkey
// code translates into the trigger form the portal expects (modifiers CTRL,
// ALT, SHIFT and an XKB key name joined by "+": "CA+R" gives "CTRL+ALT+R").
#pragma once

#include <QString>

namespace quillotap {

// "start-recording", "stop-recording", "volume-up", "volume-down", "mute",
// "play-last-recording", "icon-mode" for rows 1..7; empty for other numbers.
QString PortalShortcutId(int row);
// The row of a shortcut id, or 0 for an id that names none.
int PortalShortcutRow(const QString& id);

// The preferred trigger for a hotkey code, or empty when the code never
// fires (no "+", an empty key, a key outside the key-name table).
QString PortalTrigger(const QString& code);

} // namespace quillotap
