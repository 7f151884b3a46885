#include "recording/StartOptionBoxes.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>

namespace quillotap {

StartOptionBoxes::StartOptionBoxes(const StartOptionControls& controls, QObject* parent)
    : QObject(parent), c_(controls) {
    c_.preRollBox->setRange(0, PreRollSecondsHighest);
    c_.silenceBox->setRange(SilenceSecondsLowest, SilenceSecondsHighest);
    c_.thresholdSlider->setRange(ThresholdPercentLowest, ThresholdPercentHighest);
    c_.inputLevelBar->setRange(0, 100);
    c_.inputLevelBar->setValue(0);
    const auto edited = [this] {
        if (!loading_)
            emit changed();
    };
    connect(c_.preRollBox, &QSpinBox::valueChanged, this, [this, edited](int seconds) {
        options_.preRollSeconds = seconds;
        edited();
    });
    connect(c_.startOnSoundBox, &QCheckBox::toggled, this, [this, edited](bool ticked) {
        options_.startOnSound = ticked;
        enableSoundControls();
        edited();
    });
    connect(c_.silenceBox, &QSpinBox::valueChanged, this, [this, edited](int seconds) {
        options_.silenceSeconds = seconds;
        edited();
    });
    connect(c_.thresholdSlider, &QSlider::valueChanged, this, [this, edited](int percent) {
        options_.thresholdPercent = percent;
        edited();
    });
    showOptions();
}

void StartOptionBoxes::Load() {
    options_ = LoadRecordingStartOptions();
    showOptions();
}

void StartOptionBoxes::showOptions() {
    const RecordingStartOptions shown = options_;
    loading_ = true;
    c_.preRollBox->setValue(shown.preRollSeconds);
    c_.startOnSoundBox->setChecked(shown.startOnSound);
    c_.silenceBox->setValue(shown.silenceSeconds);
    c_.thresholdSlider->setValue(shown.thresholdPercent);
    loading_ = false;
    options_ = shown;
    enableSoundControls();
}

void StartOptionBoxes::enableSoundControls() {
    c_.silenceBox->setEnabled(options_.startOnSound);
    c_.thresholdSlider->setEnabled(options_.startOnSound);
}

void StartOptionBoxes::ShowInputLevel(int levelLeft, int levelRight) {
    const int peak = std::clamp(std::max(levelLeft, levelRight), 0, 32767);
    c_.inputLevelBar->setValue(peak * 100 / 32767);
}

} // namespace quillotap
