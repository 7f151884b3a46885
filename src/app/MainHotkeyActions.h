// What the hotkeys do in the main window: each action is the matching
// button's operation, plus the cue sounds that only hotkeys play.
#pragma once

#include "hotkeys/HotkeyActions.h"

#include <functional>

class QWidget;

namespace quillotap {

class CueSounds;
class IconMode;
class PageMenu;
class PictureSlider;
class Playback;
class RecordingSession;

class MainHotkeyActions : public HotkeyActions {
public:
    // `window` is the main window, `playerVolume` the files page's volume
    // slider; `playNow` is the recorder page's "Play".
    MainHotkeyActions(QWidget& window, RecordingSession& session, Playback& playback,
                      CueSounds& cues, IconMode& iconMode, PageMenu& pageMenu,
                      PictureSlider* playerVolume, std::function<void()> playNow);

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
    // Moves the player-volume knob to `volume`.
    void showPlayerVolume(int volume);

    QWidget& window_;
    RecordingSession& session_;
    Playback& playback_;
    CueSounds& cues_;
    IconMode& iconMode_;
    PageMenu& pageMenu_;
    PictureSlider* playerVolume_;
    std::function<void()> playNow_;
};

} // namespace quillotap
