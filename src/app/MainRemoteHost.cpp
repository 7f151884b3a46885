#include "app/MainRemoteHost.h"

#include "app/FormMain.h"
#include "app/TerminationSignals.h"
#include "recording/RecordingMonitor.h"

#include <QApplication>

namespace quillotap {

bool MainRemoteHost::acceptsTriggers() const {
    // A message box does not switch the hotkeys off, but whatever showed it
    // is still waiting for its answer.
    return !form_.hotkeys().dispatcher().isSuspended() && !QApplication::activeModalWidget();
}

qint64 MainRemoteHost::recordingSeconds() const {
    return form_.recordingMonitor().elapsedSeconds();
}

QString MainRemoteHost::recordingPath() const {
    return form_.recordingSession().outputFilePath();
}

QString MainRemoteHost::recordingError() const {
    return form_.recordingSession().lastError();
}

void MainRemoteHost::quit() {
    // The same end as a termination signal: open dialogs are cancelled and
    // the shut-down runs as the application's event loop returns.
    LeaveModalStates(0);
}

} // namespace quillotap
