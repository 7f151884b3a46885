#include "app/MainHotkeyActions.h"

#include "app/FormMain.h"
#include "files/Playback.h"
#include "hotkeys/VolumeActions.h"
#include "recording/CueSounds.h"
#include "recording/RecordingSession.h"
#include "ui/PageMenu.h"
#include "ui_PageFiles.h"
#include "widgets/PictureSlider.h"

namespace quillotap {

MainHotkeyActions::MainHotkeyActions(FormMain& form, RecordingSession& session, CueSounds& cues)
    : form_(form), session_(session), cues_(cues) {}

bool MainHotkeyActions::isRecordingActive() const {
    // Armed for sound counts as recording: the stop hotkey disarms.
    return form_.recordingSession().isRecording() || form_.recordingSession().isArmed();
}

bool MainHotkeyActions::isPlayerActive() const {
    return form_.playback().isActive();
}

bool MainHotkeyActions::isWindowVisible() const {
    return form_.isVisible();
}

bool MainHotkeyActions::isIconMode() const {
    return form_.isInIconMode();
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
    form_.pageMenu().PicMenu_Click(FormMain::RecorderPage);
}

void MainHotkeyActions::record() {
    session_.start();
}

void MainHotkeyActions::stop() {
    session_.stop();
}

void MainHotkeyActions::setTrayRecording() {
    form_.ShowIconRecording(true);
}

void MainHotkeyActions::stopPlayback() {
    form_.StopPlayback();
}

void MainHotkeyActions::playNow() {
    form_.onPlayNowClicked();
}

void MainHotkeyActions::enterIconMode() {
    form_.EnterIconMode();
}

void MainHotkeyActions::leaveIconMode() {
    form_.LeaveIconMode();
}

void MainHotkeyActions::soundVolumeUp() {
    showPlayerVolume(SoundVolumeUp(form_.playback().player()));
}

void MainHotkeyActions::soundVolumeDown() {
    showPlayerVolume(SoundVolumeDown(form_.playback().player()));
}

void MainHotkeyActions::toggleMute() {
    ToggleMute(form_.playback().player());
}

void MainHotkeyActions::showPlayerVolume(int volume) {
    PictureSlider* slider = form_.filesUi().PicSlider2;
    slider->SetSliderKnob(VolumeKnobPosition(slider->width(), volume));
}

} // namespace quillotap
