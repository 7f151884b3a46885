// What the program tells the user about its system-wide hotkeys: why they do
// not work where they do not, and the commands the desktop's own keyboard
// settings can run instead.
#pragma once

#include "hotkeys/HotkeySource.h"

#include <QString>
#include <QStringList>

namespace quillotap {

// Reasons a hotkey source gives for a Local or Off reach, one sentence each.
QString NoKeyboardReason();
QString OwnWindowOnlyReason();
QString SwitchedOffReason();

// How the desktop's keyboard settings can start this program: "quillotap"
// when that name on the PATH is this program, otherwise the program's path
// (quoted when it holds blanks).
QString ProgramCommand();

// The command lines that do what the hotkeys do, for the running program:
// "<program> --start", "--stop", "--toggle", "--play-last", "--icon".
QStringList RemoteCommandLines(const QString& program);

// The hotkey page's note: empty while the hotkeys reach the whole desktop;
// a line while the desktop is still being asked; otherwise the reason and
// the command lines to bind instead, one per line.
QString HotkeyNoticeText(const HotkeyReach& reach, const QString& program);

// The status line's short form of the note.
QString HotkeyStatusLineText();

} // namespace quillotap
