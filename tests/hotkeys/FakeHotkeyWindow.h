// A main window stand-in for the hotkey tests.
#pragma once

#include "audio/AudioPlayer.h"
#include "hotkeys/HotkeyActions.h"
#include "hotkeys/VolumeActions.h"

#include <QStringList>

namespace quillotap::test {

// Behaves like the main window as far as the hotkeys can tell: recording,
// playback and icon mode flags change as the real operations change them,
// and the volume actions work on a real player.
class FakeWindow : public HotkeyActions {
public:
    explicit FakeWindow(AudioPlayer& player) : player_(player) {}

    bool isRecordingActive() const override { return recording; }
    bool isPlayerActive() const override { return playing; }
    bool isWindowVisible() const override { return visible; }
    bool isIconMode() const override { return iconMode; }

    void playStartCue() override { log << "startCue"; }
    void playStopCue() override { log << "stopCue"; }
    void showRecorderPage() override { log << "recorderPage"; }
    void record() override {
        log << "record";
        recording = true;
    }
    void stop() override {
        log << "stop";
        recording = false;
    }
    void setTrayRecording() override { log << "trayRecording"; }
    void stopPlayback() override {
        log << "stopPlayback";
        playing = false;
    }
    void playNow() override {
        log << "playNow";
        playing = true;
    }
    void enterIconMode() override {
        log << "enterIcon";
        visible = false;
        iconMode = true;
    }
    void leaveIconMode() override {
        log << "leaveIcon";
        visible = true;
        iconMode = false;
    }
    void soundVolumeUp() override { knob = VolumeKnobPosition(100, SoundVolumeUp(player_)); }
    void soundVolumeDown() override { knob = VolumeKnobPosition(100, SoundVolumeDown(player_)); }
    void toggleMute() override { ToggleMute(player_); }

    bool recording = false;
    bool playing = false;
    bool visible = true;
    bool iconMode = false;
    int knob = -1;
    QStringList log;

private:
    AudioPlayer& player_;
};

} // namespace quillotap::test
