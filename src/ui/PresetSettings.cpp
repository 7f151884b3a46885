#include "ui/PresetSettings.h"

#include "settings/NumericText.h"
#include "settings/Settings.h"

#include <cmath>

namespace quillotap {

int PresetFromSetting(const QString& text, int defaultPreset) {
    const double number = LeadingNumber(text);
    if (number >= 1 && number <= 12 && std::floor(number) == number)
        return static_cast<int>(number);
    return defaultPreset;
}

PanePresets LoadVisualizationPresets() {
    return {PresetFromSetting(ReadSetting(QStringLiteral("Preset1")), DefaultPreset1),
            PresetFromSetting(ReadSetting(QStringLiteral("Preset2")), DefaultPreset2)};
}

} // namespace quillotap
