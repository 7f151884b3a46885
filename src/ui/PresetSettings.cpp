#include "ui/PresetSettings.h"

namespace quillotap {

int PresetFromSetting(const QString& text, int defaultPreset) {
    IntOption preset = option::Preset1;
    preset.fallback = defaultPreset;
    return OptionFromText(preset, text);
}

PanePresets LoadVisualizationPresets() {
    return {ReadOption(option::Preset1), ReadOption(option::Preset2)};
}

} // namespace quillotap
