// The visualization preset numbers the two display panes start with.
#pragma once

#include <QString>

namespace quillotap {

inline constexpr int DefaultPreset1 = 4;  // input display
inline constexpr int DefaultPreset2 = 11; // playback display

// The preset a stored text names: its leading number when that is a whole
// number from 1 to 12, otherwise `defaultPreset` ("", "0", "13", "4.5",
// "abc" all give the default).
int PresetFromSetting(const QString& text, int defaultPreset);

struct PanePresets {
    int preset1 = DefaultPreset1;
    int preset2 = DefaultPreset2;
};

// Reads "Preset1" and "Preset2".
PanePresets LoadVisualizationPresets();

} // namespace quillotap
