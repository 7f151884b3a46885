// Remote commands on a started main window: the status line a script reads
// follows the window's own elapsed time and file, and nothing starts while a
// dialog holds the hotkeys off.
#include "../AppFixture.h"

#include "app/MainRemoteHost.h"
#include "remote/RemoteCommands.h"

#include <QFileInfo>

namespace quillotap::test {
namespace {

class RemoteControlWindowTest : public FastAppFixture {
protected:
    void SetUp() override {
        FastAppFixture::SetUp();
        FormMainServices services = handDrivenServices();
        services.cueWait = [this](int ms) { cueWaits << ms; };
        start(std::move(services));
        ASSERT_TRUE(started_);
        // Cue files the cues can find; what they hold does not matter here.
        form().cueSounds().setAppFolder(cueFolder.path() + "/");
        for (const char* name : {"start.wav", "stop.wav"}) {
            QFile cue(cueFolder.path() + "/" + name);
            ASSERT_TRUE(cue.open(QIODevice::WriteOnly));
        }
        host = std::make_unique<MainRemoteHost>(form().hotkeys(), form().recordingMonitor(),
                                                form().recordingSession());
    }
    void TearDown() override {
        host.reset();
        FastAppFixture::TearDown();
    }
    QByteArray run(RemoteCommand command) {
        return RunRemoteCommand(command, form().hotkeyActions(), *host).reply;
    }

    std::unique_ptr<MainRemoteHost> host;
    QTemporaryDir cueFolder;
    QList<int> cueWaits;
};

TEST_F(RemoteControlWindowTest, StatusFollowsTheRecordingTheWindowShows) {
    EXPECT_EQ(run(RemoteCommand::Status), "ready");
    ASSERT_EQ(run(RemoteCommand::Start), "ok");
    EXPECT_EQ(cueWaits, QList<int>({1000})) << "the start cue, as from the hotkey";
    const QByteArray prefix = "recording ";
    const QByteArray path = QFile::encodeName(form().recordingSession().outputFilePath());
    EXPECT_EQ(run(RemoteCommand::Status), prefix + "0 " + path);

    QLabel* time = control<QLabel>("LabelRTime");
    ASSERT_TRUE(WaitFor([&] { return time->text() >= "00:00:03"; }, 20000));
    const QByteArray status = run(RemoteCommand::Status);
    const QList<QByteArray> words = status.split(' ');
    ASSERT_GE(words.size(), 3);
    const int shown = QTime::fromString(time->text(), "hh:mm:ss").msecsSinceStartOfDay() / 1000;
    EXPECT_EQ(words[1].toLongLong(), shown)
        << status.constData() << " against " << time->text().toStdString();
    EXPECT_TRUE(status.endsWith(' ' + path));

    ASSERT_EQ(run(RemoteCommand::Stop), "ok");
    EXPECT_EQ(cueWaits, QList<int>({1000, 500}));
    EXPECT_EQ(run(RemoteCommand::Status), "ready");
    EXPECT_GT(QFileInfo(form().recordingSession().outputFilePath()).size(), 0);

    // A new recording starts its count afresh, not at the last one's.
    ASSERT_EQ(run(RemoteCommand::Toggle), "ok");
    EXPECT_TRUE(run(RemoteCommand::Status).startsWith("recording 0 "));
    ASSERT_EQ(run(RemoteCommand::Toggle), "ok");
}

TEST_F(RemoteControlWindowTest, NothingStartsWhileADialogHoldsTheHotkeysOff) {
    form().hotkeys().SuspendHotkeys();
    EXPECT_TRUE(run(RemoteCommand::Start).startsWith("error "));
    EXPECT_FALSE(form().recordingSession().isRecording());
    EXPECT_TRUE(cueWaits.isEmpty()) << "not even the cue";
    form().hotkeys().ResumeHotkeys();
    EXPECT_EQ(run(RemoteCommand::Start), "ok");
    EXPECT_TRUE(form().recordingSession().isRecording());
    EXPECT_EQ(run(RemoteCommand::Stop), "ok");
}

} // namespace
} // namespace quillotap::test
