// The option check boxes and limit boxes of the window: the two cue sounds,
// the size and time limits with their boxes, and "icon mode when minimised".
// Each box keeps its in-memory option ("Yes"/"No", MaxSize, MaxTime) in step
// as the user changes it; the settings load sets the boxes from the stored
// texts and the save at exit writes the options back.
#pragma once

#include <QObject>
#include <QString>

class QCheckBox;
class QLineEdit;

namespace quillotap {

struct MainState;

struct OptionControls {
    QCheckBox* CheckSound1 = nullptr; // start cue (its clicks belong to the cue sounds)
    QCheckBox* CheckSound2 = nullptr; // stop cue
    QCheckBox* CheckSize = nullptr;
    QLineEdit* TextSize = nullptr;
    QCheckBox* CheckTime = nullptr;
    QLineEdit* TextTime = nullptr;
    QCheckBox* CheckIconMode = nullptr; // icon mode when minimised
};

class OptionBoxes : public QObject {
    Q_OBJECT
public:
    OptionBoxes(MainState& state, const OptionControls& controls, QObject* parent = nullptr);

    // The settings load's steps for cues, limits and icon mode: the options
    // from their stored texts, then the boxes from the options.
    void LoadCueFlags();
    void LoadLimits();
    void LoadIconModeFlag();

    void CheckSize_Click(bool ticked);
    void CheckTime_Click(bool ticked);
    void TextSize_Change();
    void TextTime_Change();
    void CheckIconMode_Click(bool ticked);

private:
    MainState& state_;
    OptionControls c_;
};

// Writes "PlayStopSound", "PlayStartSound", "StartIconWhenMin", "SizeLimit",
// "Timelimit", "MaxSize" and "MaxTime", in that order.
void SaveOptionFlags(const MainState& state);

} // namespace quillotap
