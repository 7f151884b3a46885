// "Launch at startup": the login entry that starts the program in icon mode.
// It is written or removed at once when the box changes, independent of the
// settings save at exit.
#pragma once

#include <QString>

namespace quillotap {

// Ticked: creates the run key and stores the program's command line with
// " /icon" as its value "Quillotap" (the desktop's autostart entry).
// Cleared: deletes that value. Returns false when the entry could not be
// written or removed, with a message for the user in *error.
bool SetLaunchAtStartup(bool ticked, QString* error = nullptr);

// True when the value exists and is not empty.
bool LaunchAtStartupStored();

} // namespace quillotap
