// What the hotkey poller needs from the main window: the state flags its row
// rules look at and the operations the seven hotkeys run. The main window
// implements it with its buttons' handlers, so a hotkey does exactly what the
// matching button does (plus the cue sounds, which only hotkeys play).
#pragma once

namespace quillotap {

class HotkeyActions {
public:
    virtual ~HotkeyActions() = default;

    // ---- state ----
    virtual bool isRecordingActive() const = 0; // RecordingActive
    virtual bool isPlayerActive() const = 0;    // PlayerActive
    virtual bool isWindowVisible() const = 0;   // the main window is shown
    virtual bool isIconMode() const = 0;        // IconMode

    // ---- operations ----
    virtual void playStartCue() = 0;     // returns when the cue is over
    virtual void playStopCue() = 0;      // returns when the cue is over
    virtual void showRecorderPage() = 0; // page-menu click with index 0
    virtual void record() = 0;           // CmdRecord_Click
    virtual void stop() = 0;             // CmdStopRecord_Click
    virtual void setTrayRecording() = 0; // tray icon: recording picture, "Quillotap - Recording"
    virtual void stopPlayback() = 0;     // StopPlayback
    virtual void playNow() = 0;          // onPlayNowClicked
    virtual void enterIconMode() = 0;    // onIconModeClicked
    virtual void leaveIconMode() = 0;    // LeaveIconMode
    virtual void soundVolumeUp() = 0;    // SoundVolumeUp
    virtual void soundVolumeDown() = 0;  // SoundVolumeDown
    virtual void toggleMute() = 0;       // ToggleMute
};

} // namespace quillotap
