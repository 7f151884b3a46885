// What remote commands reach in the main window beyond the hotkeys'
// operations: whether a dialog holds triggers off, the running recording's
// figures, and the normal end of the program.
#pragma once

#include "remote/RemoteCommands.h"

namespace quillotap {

class FormMain;

class MainRemoteHost : public RemoteHost {
public:
    explicit MainRemoteHost(FormMain& form) : form_(form) {}

    bool acceptsTriggers() const override;
    qint64 recordingSeconds() const override;
    QString recordingPath() const override;
    QString recordingError() const override;
    void quit() override;

private:
    FormMain& form_;
};

} // namespace quillotap
