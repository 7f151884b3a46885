// What remote commands reach in the main window beyond the hotkeys'
// operations: whether a dialog holds triggers off, the running recording's
// figures, and the normal end of the program.
#pragma once

#include "remote/RemoteCommands.h"

namespace quillotap {

class Hotkeys;
class RecordingMonitor;
class RecordingSession;

class MainRemoteHost : public RemoteHost {
public:
    MainRemoteHost(Hotkeys& hotkeys, const RecordingMonitor& monitor,
                   const RecordingSession& session)
        : hotkeys_(hotkeys), monitor_(monitor), session_(session) {}

    bool acceptsTriggers() const override;
    qint64 recordingSeconds() const override;
    QString recordingPath() const override;
    QString recordingError() const override;
    void quit() override;

private:
    Hotkeys& hotkeys_;
    const RecordingMonitor& monitor_;
    const RecordingSession& session_;
};

} // namespace quillotap
