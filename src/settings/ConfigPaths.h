#pragma once

#include <QString>

namespace quillotap {

// Where the per-user configuration lives. Every call reads the environment
// again, so a changed XDG_CONFIG_HOME takes effect at once.

// $XDG_CONFIG_HOME, or ~/.config when it is unset, empty or not absolute.
QString xdgConfigHome();

// The registry hive: <config>/quillotap/user.reg.
QString hiveFilePath();

// The login autostart entry: <config>/autostart/quillotap.desktop.
QString autostartEntryPath();

} // namespace quillotap
