#pragma once

#include <QString>

namespace quillotap {

// The key below HKEY_CURRENT_USER that holds every option of the program.
inline constexpr auto kProgramKey = "Software\\Velmora Software\\Quillotap";

// The stored text of a setting, or "" when it is missing, empty, starts with
// a NUL or cannot be read; callers treat "" as "use the default". One
// trailing NUL (left by tools that store the terminator) is dropped; a
// number stored as REG_DWORD comes back as its decimal text. Never fails.
QString ReadSetting(const QString& name);

// Stores `text` as REG_SZ under the program key, creating the key first.
// A failure to store is ignored.
void WriteSetting(const QString& name, const QString& text);

} // namespace quillotap
