// What each of the seven hotkey rows does when its keys go down: a row either
// acts (calls the window's operations through HotkeyActions) or declines, for
// example "Start recording" while a recording already runs. Whatever noticed
// the press (the X11 keyboard, the desktop's shortcut portal, a command sent
// to the running program) ends up here, so every way of pressing a row does
// the same.
#pragma once

namespace quillotap {

class HotkeyActions;

// Row numbers of the hotkey table.
enum HotkeyRowNumber : int {
    StartRecordingRow = 1,
    StopRecordingRow = 2,
    VolumeUpRow = 3,
    VolumeDownRow = 4,
    MuteRow = 5,
    PlayLastRow = 6,
    IconModeRow = 7,
};

// Runs the rule of row 1..7. Returns false when the row declines (row 1
// while recording, row 2 while not recording, a row number out of range);
// true when it acted, also when an operation it called failed part-way.
bool RunHotkeyRow(HotkeyActions& actions, int row);

// Whether the row acts again and again while its keys stay held, after a
// pause between steps: only the two volume rows do. Every other row acts
// once per press.
bool RepeatsWhileHeld(int row);

} // namespace quillotap
