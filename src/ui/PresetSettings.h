// The visualization preset numbers the two display panes start with.
#pragma once

#include "settings/SettingsSchema.h"

#include <QString>

namespace quillotap {

inline constexpr int DefaultPreset1 = option::Preset1.fallback; // input display
inline constexpr int DefaultPreset2 = option::Preset2.fallback; // playback display

// The preset a stored text names: its leading number when that is a whole
// number from 1 to 12, otherwise `defaultPreset` ("", "0", "13", "4.5",
// "abc" all give the default).
int PresetFromSetting(const QString& text, int defaultPreset);

struct PanePresets {
    int preset1 = DefaultPreset1;
    int preset2 = DefaultPreset2;
};

// Reads the stored presets of the two panes.
PanePresets LoadVisualizationPresets();

} // namespace quillotap
