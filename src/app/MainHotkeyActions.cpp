#include "app/MainHotkeyActions.h"

#include "app/MainFrame.h"
#include "files/Playback.h"
#include "hotkeys/VolumeActions.h"
#include "recording/CueSounds.h"
#include "recording/RecordingSession.h"
#include "ui/IconMode.h"
#include "ui/PageMenu.h"
#include "widgets/PictureSlider.h"

namespace quillotap {

MainHotkeyActions::MainHotkeyActions(QWidget& window, RecordingSession& session, Playback& playback,
                                     CueSounds& cues, IconMode& iconMode, PageMenu& pageMenu,
                                     PictureSlider* playerVolume, std::function<void()> playNow)
    : window_(window), session_(session), playback_(playback), cues_(cues), iconMode_(iconMode),
      pageMenu_(pageMenu), playerVolume_(playerVolume), playNow_(std::move(playNow)) {}

bool MainHotkeyActions::isRecordingActive() const {
    // Armed for sound counts as recording: the stop hotkey disarms.
    return session_.isRecording() || session_.isArmed();
}

bool MainHotkeyActions::isPlayerActive() const {
    return playback_.isActive();
}

bool MainHotkeyActions::isWindowVisible() const {
    return window_.isVisible();
}

bool MainHotkeyActions::isIconMode() const {
    return iconMode_.isActive();
}

void MainHotkeyActions::playStartCue() {
    // The pre-roll ends at the key press: the cue must not be recorded.
    if (cues_.startCueWillPlay())
        session_.cutPreRoll();
    cues_.PlayStartCue();
}

void MainHotkeyActions::playStopCue() {
    cues_.PlayStopCue();
}

void MainHotkeyActions::showRecorderPage() {
    pageMenu_.onMenuButtonClicked(MainFrame::RecorderPage);
}

void MainHotkeyActions::record() {
    session_.start();
}

void MainHotkeyActions::stop() {
    session_.stop();
}

void MainHotkeyActions::setTrayRecording() {
    iconMode_.showRecording(true);
}

void MainHotkeyActions::stopPlayback() {
    playback_.StopPlayback();
}

void MainHotkeyActions::playNow() {
    if (playNow_)
        playNow_();
}

void MainHotkeyActions::enterIconMode() {
    iconMode_.EnterFromWindow();
}

void MainHotkeyActions::leaveIconMode() {
    iconMode_.LeaveIconMode();
}

void MainHotkeyActions::soundVolumeUp() {
    showPlayerVolume(SoundVolumeUp(playback_.player()));
}

void MainHotkeyActions::soundVolumeDown() {
    showPlayerVolume(SoundVolumeDown(playback_.player()));
}

void MainHotkeyActions::toggleMute() {
    ToggleMute(playback_.player());
}

void MainHotkeyActions::showPlayerVolume(int volume) {
    playerVolume_->SetSliderKnob(VolumeKnobPosition(playerVolume_->width(), volume));
}

} // namespace quillotap
