#include "remote/RemoteCommands.h"

#include "hotkeys/HotkeyActions.h"
#include "hotkeys/HotkeyRules.h"

namespace quillotap {

namespace {

// The start hotkey's row: the cue ends before the capture begins, so it is
// never part of the recording.
CommandOutcome startRecording(HotkeyActions& actions, RemoteHost& host) {
    if (actions.isRecordingActive())
        return {OkReply()};
    RunHotkeyRow(actions, StartRecordingRow);
    if (actions.isRecordingActive())
        return {OkReply()};
    const QString reason = host.recordingError();
    return {ErrorReply(reason.isEmpty() ? QStringLiteral("the recording did not start") : reason)};
}

// The stop hotkey's row: the cue plays once the capture has ended.
CommandOutcome stopRecording(HotkeyActions& actions) {
    if (!actions.isRecordingActive())
        return {OkReply()};
    RunHotkeyRow(actions, StopRecordingRow);
    if (actions.isRecordingActive())
        return {ErrorReply(QStringLiteral("the recording did not stop"))};
    return {OkReply()};
}

// The play hotkey's row: whatever runs stops, then the last recording plays.
CommandOutcome playLast(HotkeyActions& actions) {
    RunHotkeyRow(actions, PlayLastRow);
    if (!actions.isPlayerActive())
        return {ErrorReply(QStringLiteral("there is no recording to play"))};
    return {OkReply()};
}

} // namespace

CommandOutcome RunRemoteCommand(RemoteCommand command, HotkeyActions& actions, RemoteHost& host) {
    switch (command) {
    case RemoteCommand::Status:
        if (actions.isRecordingActive())
            return {RecordingReply(host.recordingSeconds(), host.recordingPath())};
        return {ReadyReply()};
    case RemoteCommand::Show:
        // Leaving icon mode also brings a shown or minimised window to the front.
        actions.leaveIconMode();
        return {OkReply()};
    case RemoteCommand::Quit:
        host.quit();
        return {OkReply(), true};
    default:
        break;
    }
    if (!host.acceptsTriggers())
        return {ErrorReply(QStringLiteral("a dialog is open in Quillotap; close it first"))};
    switch (command) {
    case RemoteCommand::Start:
        return startRecording(actions, host);
    case RemoteCommand::Stop:
        return stopRecording(actions);
    case RemoteCommand::Toggle:
        return actions.isRecordingActive() ? stopRecording(actions) : startRecording(actions, host);
    case RemoteCommand::PlayLast:
        return playLast(actions);
    case RemoteCommand::Icon:
        // Asked again in icon mode, the window stays hidden (the icon
        // hotkey would bring it back).
        if (!actions.isIconMode())
            actions.enterIconMode();
        return {OkReply()};
    default:
        return {ErrorReply(QStringLiteral("unknown command"))};
    }
}

} // namespace quillotap
