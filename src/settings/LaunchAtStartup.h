// "Launch at startup": the login entry that starts the program in icon mode.
// It is written or removed at once when the box changes, independent of the
// settings save at exit.
#pragma once

namespace quillotap {

// Ticked: creates the run key and stores the program's command line with
// " /icon" as its value "Quillotap" (the desktop's autostart entry).
// Cleared: deletes that value. Failures are ignored.
void CheckStart_Click(bool ticked);

// True when the value exists and is not empty.
bool LaunchAtStartupStored();

} // namespace quillotap
