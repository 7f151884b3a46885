// The visualization preset menus of the two display panes.
#include "app/FormMain.h"

#include "ui/PresetSettings.h"

namespace quillotap {

void FormMain::setUpPresets() {}

void FormMain::ApplyStoredPresets() {
    const PanePresets presets = LoadVisualizationPresets();
    state_.CurrentPreset1 = presets.preset1;
    state_.CurrentPreset2 = presets.preset2;
}

} // namespace quillotap
