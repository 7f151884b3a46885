// What happens on each tick of the recorder: the input display is fed, and
// while recording the elapsed time and the file size are shown and the
// limits are enforced. Also keeps the input-volume knob in step with volume
// changes made outside the program.
#pragma once

#include "recording/RecordingLimits.h"

#include <QObject>

#include <functional>

namespace quillotap {

class RecordingSession;
class RecordingView;

// Top of the input-volume knob for a volume of 0..65535 on a track of the
// given height: full volume at the top, rounded to the nearest pixel
// (halves to even).
int InputVolumeKnobPosition(int trackHeight, int volume);

class RecordingMonitor : public QObject {
    Q_OBJECT
public:
    // Listens to the session's recorder; `session` stops the recording at a
    // limit. Both must outlive the monitor.
    RecordingMonitor(RecordingView& view, RecordingSession& session, QObject* parent = nullptr);

    // The limits that stop a recording (none by default).
    void setLimits(const RecordingLimitOptions& limits) { limits_ = limits; }
    // Tells whether the user holds the input-volume knob, which volume
    // changes then leave alone.
    void setVolumeKnobHeld(std::function<bool()> held) { knobHeld_ = std::move(held); }

    // One tick. Returns the limit that stopped the recording on it, if any.
    LimitReached onTick(qint64 currentSamples);
    // Moves the input-volume knob unless the user is dragging it.
    void onGainChanged(int newVolume);

    // The limit that ended the last recording stopped by this monitor.
    LimitReached lastLimit() const { return lastLimit_; }
    // Whole seconds recorded, as the elapsed time shows them: 0 from the
    // start of a recording until its first tick.
    qint64 elapsedSeconds() const { return elapsedSeconds_; }

private:
    RecordingView& view_;
    RecordingSession& session_;
    RecordingLimitOptions limits_;
    std::function<bool()> knobHeld_;
    LimitReached lastLimit_ = LimitReached::None;
    qint64 elapsedSeconds_ = 0;
};

} // namespace quillotap
