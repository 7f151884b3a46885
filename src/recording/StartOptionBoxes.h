// The options page's controls for how recordings begin: the pre-roll
// seconds, "Start on sound" with its silence time, and the threshold slider
// beside the live input level. Each control keeps the options in step as
// the user changes it.
#pragma once

#include "recording/RecordingStartOptions.h"

#include <QObject>

class QCheckBox;
class QProgressBar;
class QSlider;
class QSpinBox;

namespace quillotap {

struct StartOptionControls {
    QSpinBox* preRollBox = nullptr;        // 0..30 seconds
    QCheckBox* startOnSoundBox = nullptr;  // start on sound
    QSpinBox* silenceBox = nullptr;        // 1..60 seconds
    QSlider* thresholdSlider = nullptr;    // 1..100 percent of full scale
    QProgressBar* inputLevelBar = nullptr; // 0..100 percent of full scale
};

class StartOptionBoxes : public QObject {
    Q_OBJECT
public:
    explicit StartOptionBoxes(const StartOptionControls& controls, QObject* parent = nullptr);

    // The options as the boxes set them.
    const RecordingStartOptions& options() const { return options_; }

    // Sets the options from the stored values, then the controls from them.
    void Load();
    // The input's peak levels (0..32767) as the recorder reports them.
    void ShowInputLevel(int levelLeft, int levelRight);

signals:
    // The user changed an option.
    void changed();

private:
    void showOptions();
    void enableSoundControls();

    RecordingStartOptions options_;
    StartOptionControls c_;
    bool loading_ = false;
};

} // namespace quillotap
