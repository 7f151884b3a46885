#pragma once

#include "settings/Registry.h"

#include <QString>

#include <memory>

namespace quillotap {

// The key below HKEY_CURRENT_USER that holds every option of the program.
inline constexpr auto kProgramKey = "Software\\Velmora Software\\Quillotap";

// The stored text of a setting, or "" when it is missing, empty, starts with
// a NUL or cannot be read; callers treat "" as "use the default". One
// trailing NUL (left by tools that store the terminator) is dropped; a
// number stored as REG_DWORD comes back as its decimal text. Never fails.
QString ReadSetting(const QString& name);

// Stores `text` as REG_SZ under the program key, creating the key first.
// A failure to store leaves the stored value as it was and goes to the
// reporter below, if one is installed.
void WriteSetting(const QString& name, const QString& text);

// While one lives, a settings change that cannot be written to the settings
// file is reported to `report` with one message for the user, once until a
// write succeeds again. The reporter installed before it returns when it goes;
// a reporter that has gone never reports, in whatever order reporters go.
class SettingsFailureReporter {
public:
    explicit SettingsFailureReporter(Registry::WriteFailureHandler report);
    ~SettingsFailureReporter();
    SettingsFailureReporter(const SettingsFailureReporter&) = delete;
    SettingsFailureReporter& operator=(const SettingsFailureReporter&) = delete;

private:
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    Registry::WriteFailureHandler previous_;
};

// While one of these lives, WriteSetting changes the settings in memory only;
// they reach the disk together, in a single rewrite of the settings file,
// when the last one goes. Saving every option at close thus writes the file
// once instead of once per value, and a process that dies meanwhile leaves
// the file as it was before the save. A failed write is reported as for
// WriteSetting and leaves memory as the file has it.
class SettingsWriteGroup {
public:
    SettingsWriteGroup();
    ~SettingsWriteGroup();
    SettingsWriteGroup(const SettingsWriteGroup&) = delete;
    SettingsWriteGroup& operator=(const SettingsWriteGroup&) = delete;
};

} // namespace quillotap
