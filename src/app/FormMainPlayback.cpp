// Playback of recordings on the files page and the recorder page's "Play".
#include "app/FormMain.h"

namespace quillotap {

void FormMain::setUpPlayback() {}

void FormMain::PlayFile(const QString&) {}

void FormMain::CmdPlay_Click() {}

void FormMain::TogglePause() {}

void FormMain::StopPlayback() {
    state_.PlayerActive = false;
}

void FormMain::CmdStopPlay_Click() {
    StopPlayback();
}

void FormMain::CmdPlayNow_Click() {}

void FormMain::SeekPlayback() {
    state_.PositionDragging = false;
}

} // namespace quillotap
