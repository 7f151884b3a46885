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
    // A change of a limit box's text: the limit becomes the text's value,
    // corrected into its range (1..2048 MB, 5..86400 s); the text itself is
    // left as typed.
    void TextSize_Change();
    void TextTime_Change();
    // The end of editing a limit box (Enter, the focus leaving it): the box
    // shows the corrected value.
    void TextSize_Finish();
    void TextTime_Finish();
    // Both boxes show their corrected values; for the moments that end an
    // edit without the box noticing (a page change, the window closing).
    void FinishLimitEditing();
    void CheckIconMode_Click(bool ticked);

private:
    MainState& state_;
    OptionControls c_;
};

// Writes "PlayStopSound", "PlayStartSound", "StartIconWhenMin", "SizeLimit",
// "Timelimit", "MaxSize" and "MaxTime", in that order.
void SaveOptionFlags(const MainState& state);

} // namespace quillotap
