// The closed list of key names a hotkey code may end with, in the order the
// hotkey editor's key list shows them, and the Windows-style virtual-key code
// each name stands for. The virtual-key codes are the program's own key
// numbering; the keyboard state (KeyboardState.h) maps them to real keys.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace quillotap {

// Side-neutral modifier keys: either the left or the right key counts.
inline constexpr int VK_SHIFT_KEY = 16;
inline constexpr int VK_CONTROL_KEY = 17;
inline constexpr int VK_ALT_KEY = 18;

struct KeyName {
    QStringView name;
    int virtualKey;
};

inline constexpr int KeyNameCount = 58;

// "A".."Z", "0".."9", the ten navigation keys and "F1".."F12".
const std::array<KeyName, KeyNameCount>& KeyNameTable();

// The 58 names in editor order, for filling the key list.
QStringList KeyNameList();

// The virtual-key code a key name stands for, or 0 when it stands for none.
// A name of one character stands for its character code (so "R" is 82 and
// "r" is 114, whatever the table says); a longer name must be one of the 22
// named keys ("Up", "Page Down", "F5", ...), spelled exactly.
int VirtualKeyForName(QStringView name);

} // namespace quillotap
