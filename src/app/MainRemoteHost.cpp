#include "app/MainRemoteHost.h"

#include "app/TerminationSignals.h"
#include "hotkeys/Hotkeys.h"
#include "recording/RecordingMonitor.h"
#include "recording/RecordingSession.h"

#include <QApplication>

namespace quillotap {

bool MainRemoteHost::acceptsTriggers() const {
    // A message box does not switch the hotkeys off, but whatever showed it
    // is still waiting for its answer.
    return !hotkeys_.dispatcher().isSuspended() && !QApplication::activeModalWidget();
}

qint64 MainRemoteHost::recordingSeconds() const {
    return monitor_.elapsedSeconds();
}

QString MainRemoteHost::recordingPath() const {
    return session_.outputFilePath();
}

QString MainRemoteHost::recordingError() const {
    return session_.lastError();
}

void MainRemoteHost::quit() {
    // The same end as a termination signal: open dialogs are cancelled and
    // the shut-down runs as the application's event loop returns.
    LeaveModalStates(0);
}

} // namespace quillotap
