// What a command answers when it cannot do what it asks, or has nothing to
// do, against a stand-in for the main window that changes its flags as the
// real operations do. (The cue order and the status figures are checked on
// the real window.)
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
    void showRecorderPage() override {}
    void record() override {
        log << "record";
        recording = recordWorks;
    }
    void stop() override {
        log << "stop";
        recording = false;
    }
    void setTrayRecording() override {}
    void stopPlayback() override { playing = false; }
    void playNow() override { playing = hasRecording; }
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

TEST_F(RemoteCommandsTest, FailuresSayWhy) {
    window.recordWorks = false;
    window.startError = QStringLiteral("The recording could not start.\n\nNo input");
    EXPECT_EQ(run(RemoteCommand::Start), "error The recording could not start. No input");
    window.startError.clear();
    EXPECT_EQ(run(RemoteCommand::Toggle), "error the recording did not start");
    window.hasRecording = false;
    EXPECT_EQ(run(RemoteCommand::PlayLast), "error there is no recording to play");
}

TEST_F(RemoteCommandsTest, CommandsStateWhatIsWantedRatherThanAlternate) {
    window.recording = true;
    EXPECT_EQ(run(RemoteCommand::Start), "ok");
    window.recording = false;
    EXPECT_EQ(run(RemoteCommand::Stop), "ok");
    EXPECT_TRUE(window.log.isEmpty())
        << "no cue, no recording: " << window.log.join(' ').toStdString();

    EXPECT_EQ(run(RemoteCommand::Icon), "ok");
    EXPECT_EQ(run(RemoteCommand::Icon), "ok");
    EXPECT_TRUE(window.iconMode) << "a second --icon must not bring the window back";
    EXPECT_EQ(run(RemoteCommand::Show), "ok");
    EXPECT_EQ(run(RemoteCommand::Show), "ok");
    EXPECT_FALSE(window.iconMode);
    EXPECT_EQ(window.log, QStringList({"enterIcon", "leaveIcon", "leaveIcon"}))
        << "show also raises a window that is not in icon mode";
}

TEST_F(RemoteCommandsTest, NothingStartsStopsOrHidesUnderAnOpenDialog) {
    window.dialogOpen = true;
    for (RemoteCommand command : {RemoteCommand::Start, RemoteCommand::Toggle,
                                  RemoteCommand::PlayLast, RemoteCommand::Icon}) {
        EXPECT_TRUE(run(command).startsWith("error ")) << RemoteCommandWord(command).constData();
    }
    window.recording = true;
    EXPECT_TRUE(run(RemoteCommand::Stop).startsWith("error "));
    EXPECT_TRUE(window.log.isEmpty()) << window.log.join(' ').toStdString();

    EXPECT_EQ(run(RemoteCommand::Status), "recording 75 /rec/a b.mp3");
    EXPECT_EQ(run(RemoteCommand::Show), "ok");
    EXPECT_TRUE(RunRemoteCommand(RemoteCommand::Quit, window, window).ending);
    EXPECT_EQ(window.log, QStringList({"leaveIcon", "quit"}));
}

} // namespace
} // namespace quillotap::test
