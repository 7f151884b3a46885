// What each remote command does in the running program. A command is a
// hotkey-like trigger: "start" and "stop" run the start and stop hotkeys'
// actions, cue sounds included; "play-last" the play hotkey's; "icon" and
// "show" enter and leave icon mode. Unlike a hotkey, a command always gets
// an answer that says whether it did what it asked for.
#pragma once

#include "remote/RemoteProtocol.h"

#include <QByteArray>
#include <QString>

namespace quillotap {

class HotkeyActions;

// What the commands need from the program beyond the hotkeys' operations.
class RemoteHost {
public:
    virtual ~RemoteHost() = default;

    // False while a dialog or a message waits for the user: nothing may
    // start, stop or hide underneath it, as no hotkey acts then either.
    virtual bool acceptsTriggers() const = 0;
    // The running recording: whole seconds recorded so far, and its file.
    virtual qint64 recordingSeconds() const = 0;
    virtual QString recordingPath() const = 0;
    // Why the last recording could not start; "" when unknown.
    virtual QString recordingError() const = 0;
    // Ends the program the normal way (open dialogs are cancelled, a running
    // recording is finished, the settings are saved) once the current event
    // has been handled.
    virtual void quit() = 0;
};

struct CommandOutcome {
    QByteArray reply;    // the answer line, without "\n"
    bool ending = false; // "quit": answer once the program has shut down
};

// Runs one command on the UI thread and returns its answer. Starting while
// a recording runs and stopping while none does change nothing and succeed,
// so scripts can state what they want without asking first.
CommandOutcome RunRemoteCommand(RemoteCommand command, HotkeyActions& actions, RemoteHost& host);

} // namespace quillotap
