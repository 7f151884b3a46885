#include "hotkeys/HotkeyRules.h"

#include "hotkeys/HotkeyActions.h"

namespace quillotap {

namespace {

bool applyRow(HotkeyActions& actions, int row) {
    switch (row) {
    case StartRecordingRow: // the cue ends before capture begins
        if (actions.isRecordingActive())
            return false;
        actions.playStartCue();
        actions.showRecorderPage();
        actions.record();
        if (actions.isIconMode())
            actions.setTrayRecording();
        return true;
    case StopRecordingRow: // the cue plays once capture has ended
        if (!actions.isRecordingActive())
            return false;
        actions.stop();
        actions.playStopCue();
        return true;
    case VolumeUpRow:
        actions.soundVolumeUp();
        return true;
    case VolumeDownRow:
        actions.soundVolumeDown();
        return true;
    case MuteRow:
        actions.toggleMute();
        return true;
    case PlayLastRow: // stop whatever runs, then play the last recording
        if (actions.isPlayerActive())
            actions.stopPlayback();
        actions.stop();
        actions.playNow();
        return true;
    case IconModeRow:
        if (actions.isWindowVisible())
            actions.enterIconMode();
        else
            actions.leaveIconMode();
        return true;
    default:
        return false;
    }
}

} // namespace

bool RunHotkeyRow(HotkeyActions& actions, int row) {
    try {
        return applyRow(actions, row);
    } catch (...) {
        // An action that fails part-way still counts as having acted.
        return true;
    }
}

bool RepeatsWhileHeld(int row) {
    return row == VolumeUpRow || row == VolumeDownRow;
}

} // namespace quillotap
