// Each command against a stand-in for the main window that logs the
// operations it is asked for and changes its flags as the real ones do.
#include "remote/RemoteCommands.h"
#include "hotkeys/HotkeyActions.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace quillotap::test {
namespace {

class FakeWindow : public HotkeyActions, public RemoteHost {
public:
    bool isRecordingActive() const override { return recording; }
    bool isPlayerActive() const override { return playing; }
    bool isWindowVisible() const override { return !iconMode; }
    bool isIconMode() const override { return iconMode; }

    void playStartCue() override { log << "startCue"; }
    void playStopCue() override { log << "stopCue"; }
    void showRecorderPage() override { log << "recorderPage"; }
    void record() override {
        log << "record";
        recording = recordWorks;
    }
    void stop() override {
        log << "stop";
        recording = false;
    }
    void setTrayRecording() override { log << "trayRecording"; }
    void stopPlayback() override {
        log << "stopPlayback";
        playing = false;
    }
    void playNow() override {
        log << "playNow";
        playing = hasRecording;
    }
    void enterIconMode() override {
        log << "enterIcon";
        iconMode = true;
    }
    void leaveIconMode() override {
        log << "leaveIcon";
        iconMode = false;
    }
    void soundVolumeUp() override {}
    void soundVolumeDown() override {}
    void toggleMute() override {}

    bool acceptsTriggers() const override { return !dialogOpen; }
    qint64 recordingSeconds() const override { return 75; }
    QString recordingPath() const override { return QStringLiteral("/rec/a b.mp3"); }
    QString recordingError() const override { return startError; }
    void quit() override { log << "quit"; }

    bool recording = false;
    bool playing = false;
    bool iconMode = false;
    bool recordWorks = true;
    bool hasRecording = true;
    bool dialogOpen = false;
    QString startError;
    QStringList log;
};

class RemoteCommandsTest : public ::testing::Test {
protected:
    QByteArray run(RemoteCommand command) {
        return RunRemoteCommand(command, window, window).reply;
    }
    FakeWindow window;
};

TEST_F(RemoteCommandsTest, StartPlaysTheCueBeforeRecordingLikeTheHotkey) {
    EXPECT_EQ(run(RemoteCommand::Start), "ok");
    EXPECT_EQ(window.log, QStringList({"startCue", "recorderPage", "record"}));
    window.log.clear();
    EXPECT_EQ(run(RemoteCommand::Start), "ok") << "already recording: nothing to do";
    EXPECT_TRUE(window.log.isEmpty());
}

TEST_F(RemoteCommandsTest, StartInIconModeShowsTheRecordingIcon) {
    window.iconMode = true;
    EXPECT_EQ(run(RemoteCommand::Start), "ok");
    EXPECT_EQ(window.log.last(), "trayRecording");
}

TEST_F(RemoteCommandsTest, AStartThatFailsSaysWhy) {
    window.recordWorks = false;
    window.startError = QStringLiteral("The recording could not start.\n\nNo input");
    EXPECT_EQ(run(RemoteCommand::Start), "error The recording could not start. No input");
    window.startError.clear();
    EXPECT_EQ(run(RemoteCommand::Start), "error the recording did not start");
}

TEST_F(RemoteCommandsTest, StopPlaysTheCueAfterTheCaptureEnds) {
    EXPECT_EQ(run(RemoteCommand::Stop), "ok") << "not recording: nothing to do";
    EXPECT_TRUE(window.log.isEmpty());
    window.recording = true;
    EXPECT_EQ(run(RemoteCommand::Stop), "ok");
    EXPECT_EQ(window.log, QStringList({"stop", "stopCue"}));
}

TEST_F(RemoteCommandsTest, ToggleStartsOrStopsByState) {
    EXPECT_EQ(run(RemoteCommand::Toggle), "ok");
    EXPECT_TRUE(window.recording);
    EXPECT_EQ(run(RemoteCommand::Toggle), "ok");
    EXPECT_FALSE(window.recording);
    EXPECT_EQ(window.log, QStringList({"startCue", "recorderPage", "record", "stop", "stopCue"}));
}

TEST_F(RemoteCommandsTest, PlayLastStopsEverythingThenPlaysWithoutCues) {
    window.recording = true;
    window.playing = true;
    EXPECT_EQ(run(RemoteCommand::PlayLast), "ok");
    EXPECT_EQ(window.log, QStringList({"stopPlayback", "stop", "playNow"}));
    window.hasRecording = false;
    EXPECT_EQ(run(RemoteCommand::PlayLast), "error there is no recording to play");
}

TEST_F(RemoteCommandsTest, IconAndShowSetTheModeRatherThanAlternate) {
    EXPECT_EQ(run(RemoteCommand::Icon), "ok");
    EXPECT_EQ(run(RemoteCommand::Icon), "ok");
    EXPECT_TRUE(window.iconMode) << "a second --icon must not bring the window back";
    EXPECT_EQ(run(RemoteCommand::Show), "ok");
    EXPECT_EQ(run(RemoteCommand::Show), "ok");
    EXPECT_FALSE(window.iconMode);
    EXPECT_EQ(window.log, QStringList({"enterIcon", "leaveIcon", "leaveIcon"}))
        << "show also raises a window that is not in icon mode";
}

TEST_F(RemoteCommandsTest, StatusNamesTheRunningRecording) {
    EXPECT_EQ(run(RemoteCommand::Status), "ready");
    window.recording = true;
    EXPECT_EQ(run(RemoteCommand::Status), "recording 75 /rec/a b.mp3");
}

TEST_F(RemoteCommandsTest, NothingStartsOrStopsUnderAnOpenDialog) {
    window.dialogOpen = true;
    for (RemoteCommand command : {RemoteCommand::Start, RemoteCommand::Toggle,
                                  RemoteCommand::PlayLast, RemoteCommand::Icon}) {
        EXPECT_TRUE(run(command).startsWith("error ")) << RemoteCommandWord(command).constData();
    }
    window.recording = true;
    EXPECT_TRUE(run(RemoteCommand::Stop).startsWith("error "));
    EXPECT_TRUE(window.log.isEmpty()) << window.log.join(' ').toStdString();
    EXPECT_TRUE(run(RemoteCommand::Status).startsWith("recording "));
    EXPECT_EQ(run(RemoteCommand::Show), "ok");
}

TEST_F(RemoteCommandsTest, QuitIsAnsweredOnlyAtTheEnd) {
    const CommandOutcome outcome = RunRemoteCommand(RemoteCommand::Quit, window, window);
    EXPECT_TRUE(outcome.ending);
    EXPECT_EQ(window.log, QStringList({"quit"}));
}

} // namespace
} // namespace quillotap::test
