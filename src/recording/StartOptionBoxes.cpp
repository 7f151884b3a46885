#include "recording/StartOptionBoxes.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>

namespace quillotap {

StartOptionBoxes::StartOptionBoxes(const StartOptionControls& controls, QObject* parent)
    : QObject(parent), c_(controls) {
    c_.SpinPreRoll->setRange(0, PreRollSecondsHighest);
    c_.SpinSilence->setRange(SilenceSecondsLowest, SilenceSecondsHighest);
    c_.SliderThreshold->setRange(ThresholdPercentLowest, ThresholdPercentHighest);
    c_.BarInputLevel->setRange(0, 100);
    c_.BarInputLevel->setValue(0);
    const auto edited = [this] {
        if (!loading_)
            emit changed();
    };
    connect(c_.SpinPreRoll, &QSpinBox::valueChanged, this, [this, edited](int seconds) {
        options_.preRollSeconds = seconds;
        edited();
    });
    connect(c_.CheckSoundStart, &QCheckBox::toggled, this, [this, edited](bool ticked) {
        options_.startOnSound = ticked;
        enableSoundControls();
        edited();
    });
    connect(c_.SpinSilence, &QSpinBox::valueChanged, this, [this, edited](int seconds) {
        options_.silenceSeconds = seconds;
        edited();
    });
    connect(c_.SliderThreshold, &QSlider::valueChanged, this, [this, edited](int percent) {
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
    c_.SpinPreRoll->setValue(shown.preRollSeconds);
    c_.CheckSoundStart->setChecked(shown.startOnSound);
    c_.SpinSilence->setValue(shown.silenceSeconds);
    c_.SliderThreshold->setValue(shown.thresholdPercent);
    loading_ = false;
    options_ = shown;
    enableSoundControls();
}

void StartOptionBoxes::enableSoundControls() {
    c_.SpinSilence->setEnabled(options_.startOnSound);
    c_.SliderThreshold->setEnabled(options_.startOnSound);
}

void StartOptionBoxes::ShowInputLevel(int levelLeft, int levelRight) {
    const int peak = std::clamp(std::max(levelLeft, levelRight), 0, 32767);
    c_.BarInputLevel->setValue(peak * 100 / 32767);
}

} // namespace quillotap
