// The option check boxes and limit boxes of the window: the two cue sounds,
// the size and time limits with their boxes, and "icon mode when minimised".
// The boxes own the limits and the icon-mode option and keep them in step as
// the user changes them; the settings load sets the boxes from the stored
// texts and the save at exit writes the options back. The cue boxes only
// show the cues' state: the cue sounds own it.
#pragma once

#include "settings/LimitOptions.h"

#include <QObject>
#include <QString>

class QCheckBox;
class QLineEdit;

namespace quillotap {

// Whether each cue sound plays, as stored.
struct CueFlags {
    bool playStartSound = true;
    bool playStopSound = true;
};

struct OptionControls {
    QCheckBox* startCueBox = nullptr; // start cue (its clicks belong to the cue sounds)
    QCheckBox* stopCueBox = nullptr;  // stop cue
    QCheckBox* sizeLimitBox = nullptr;
    QLineEdit* sizeLimitText = nullptr;
    QCheckBox* timeLimitBox = nullptr;
    QLineEdit* timeLimitText = nullptr;
    QCheckBox* iconModeBox = nullptr; // icon mode when minimised
};

class OptionBoxes : public QObject {
    Q_OBJECT
public:
    explicit OptionBoxes(const OptionControls& controls, QObject* parent = nullptr);

    // The settings load's steps for cues, limits and icon mode: the options
    // from their stored texts, then the boxes from the options. The cue
    // flags are returned for the cue sounds.
    CueFlags LoadCueFlags();
    void LoadLimits();
    void LoadIconModeFlag();

    void onSizeLimitToggled(bool ticked);
    void onTimeLimitToggled(bool ticked);
    // A change of a limit box's text: the limit becomes the text's value,
    // corrected into its range (1..2048 MB, 5..86400 s); the text itself is
    // left as typed.
    void onSizeTextChanged();
    void onTimeTextChanged();
    // The end of editing a limit box (Enter, the focus leaving it): the box
    // shows the corrected value.
    void onSizeEditingFinished();
    void onTimeEditingFinished();
    // Both boxes show their corrected values; for the moments that end an
    // edit without the box noticing (a page change, the window closing).
    void FinishLimitEditing();
    void onIconModeWhenMinimisedToggled(bool ticked);

    // The limits in force: what the boxes hold, corrected into range.
    const RecordingLimitOptions& limits() const { return limits_; }
    // "Start in icon mode when minimised".
    bool iconModeWhenMinimised() const { return iconModeWhenMinimised_; }

    // Writes "PlayStopSound", "PlayStartSound", "StartIconWhenMin",
    // "SizeLimit", "Timelimit", "MaxSize" and "MaxTime", in that order.
    void Save(const CueFlags& cues) const;

signals:
    // A limit was switched on or off or its value changed.
    void limitsChanged(const RecordingLimitOptions& limits);

private:
    OptionControls c_;
    RecordingLimitOptions limits_;
    bool iconModeWhenMinimised_ = false;
};

} // namespace quillotap
