// The visualization preset menus of the two display panes.
#include "app/FormMain.h"

#include "ui/PresetMenus.h"
#include "ui/PresetSettings.h"

#include "ui_PageFiles.h"
#include "ui_PageRecorder.h"

namespace quillotap {

void FormMain::setUpPresets() {
    presetMenus_ = new PresetMenus({recorder_->AudioVisualization21, recorder_->PicPreset1},
                                   {files_->AudioVisualizationEx21, files_->PicPreset2}, this);
}

void FormMain::ApplyStoredPresets() {
    // The defaults first, so that a pane whose stored number is unusable
    // still shows its default preset; an unusable number reads as the default.
    presetMenus_->apply(1, DefaultPreset1);
    presetMenus_->apply(2, DefaultPreset2);
    const PanePresets stored = LoadVisualizationPresets();
    presetMenus_->apply(1, stored.preset1);
    presetMenus_->apply(2, stored.preset2);
}

} // namespace quillotap
