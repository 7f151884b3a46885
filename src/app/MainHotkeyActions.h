// What the hotkeys do in the main window: each action is the matching
// button's operation, plus the cue sounds that only hotkeys play.
#pragma once

#include "hotkeys/HotkeyActions.h"

namespace quillotap {

class CueSounds;
class FormMain;
class RecordingSession;

class MainHotkeyActions : public HotkeyActions {
public:
    MainHotkeyActions(FormMain& form, RecordingSession& session, CueSounds& cues);

    bool isRecordingActive() const override;
    bool isPlayerActive() const override;
    bool isWindowVisible() const override;
    bool isIconMode() const override;

    void playStartCue() override;
    void playStopCue() override;
    void showRecorderPage() override;
    void record() override;
    void stop() override;
    void setTrayRecording() override;
    void stopPlayback() override;
    void playNow() override;
    void enterIconMode() override;
    void leaveIconMode() override;
    void soundVolumeUp() override;
    void soundVolumeDown() override;
    void toggleMute() override;

private:
    // Moves the player-volume knob (PicSlider2) to `volume`.
    void showPlayerVolume(int volume);

    FormMain& form_;
    RecordingSession& session_;
    CueSounds& cues_;
};

} // namespace quillotap
