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
    virtual bool isRecordingActive() const = 0; // recording, or armed for sound
    virtual bool isPlayerActive() const = 0;    // a file is playing or paused
    virtual bool isWindowVisible() const = 0;   // the main window is shown
    virtual bool isIconMode() const = 0;        // the window is in icon mode

    // ---- operations ----
    virtual void playStartCue() = 0;     // returns when the cue is over
    virtual void playStopCue() = 0;      // returns when the cue is over
    virtual void showRecorderPage() = 0; // page-menu click with index 0
    virtual void record() = 0;           // the Record button
    virtual void stop() = 0;             // the Stop button
    virtual void setTrayRecording() = 0; // tray icon: recording picture, "Quillotap - Recording"
    virtual void stopPlayback() = 0;     // the player's Stop button
    virtual void playNow() = 0;          // the recorder page's Play button
    virtual void enterIconMode() = 0;    // the icon-mode button
    virtual void leaveIconMode() = 0;    // the window comes back
    virtual void soundVolumeUp() = 0;    // player volume one step up
    virtual void soundVolumeDown() = 0;  // player volume one step down
    virtual void toggleMute() = 0;       // player muted or back
};

} // namespace quillotap
