// A start of the program against the lock and the socket of another: it
// becomes the program, hands its command line over, waits for a program
// still starting, or gives up with the right exit status and message.
#include "RemoteServerFixture.h"

#include "remote/RemoteControlClient.h"
#include "remote/RemoteLaunch.h"

#include <QLocalServer>
#include <QTimer>

#include <atomic>
#include <sstream>
#include <thread>

namespace quillotap::test {
namespace {

using namespace std::chrono_literals;

struct Launch {
    LaunchDecision decision;
    std::string out;
    std::string err;
};

class RemoteLaunchTest : public RemoteServerTest {
protected:
    // The lock as another process holds it (`held`) or not; the hand-over
    // runs on its own thread while this one serves the socket.
    Launch launch(QStringList arguments, int answerTimeoutMs = 5000) {
        arguments.prepend(QStringLiteral("quillotap"));
        const CommandLine line = ParseCommandLine(arguments);
        const InstanceLock lock{[this] { return !held && (taken = true); },
                                [this] { taken = false; }};
        const RemoteControlClient client(socketPath, answerTimeoutMs);
        std::ostringstream out;
        std::ostringstream err;
        LaunchDecision decision;
        std::atomic<bool> done{false};
        std::thread hand([&] {
            decision = HandOverOrRunHere(line, lock, client, out, err, timing);
            done = true;
        });
        EXPECT_TRUE(WaitFor([&] { return done.load(); }, 20000));
        hand.join();
        return {decision, out.str(), err.str()};
    }

    // Where the hand-over looks; elsewhere than the fixture's server for a
    // program that does not listen.
    QString socketPath = path();
    QString quietPath() const { return dir.path() + QStringLiteral("/quiet.socket"); }
    std::atomic<bool> held{true};
    std::atomic<bool> taken{false};
    LaunchTiming timing{1000ms, 300ms, 10ms};
};

TEST_F(RemoteLaunchTest, WithoutAProgramStartsBecomeItAndCommandsSayNotRunning) {
    held = false;
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"--start"}, QStringList{"--toggle", "--icon"}}) {
        const Launch run = launch(arguments);
        EXPECT_TRUE(run.decision.runHere) << arguments.join(' ').toStdString();
        EXPECT_TRUE(taken) << "the new program keeps the lock";
        taken = false;
    }
    Launch run = launch({"--status"});
    EXPECT_EQ(run.decision.exitStatus, ExitNotRunning);
    EXPECT_EQ(run.out, "not running\n");
    EXPECT_FALSE(taken) << "the lock is given back";
    run = launch({"--stop"});
    EXPECT_EQ(run.decision.exitStatus, ExitNotRunning);
    EXPECT_EQ(run.err, "quillotap: not running\n");
    EXPECT_TRUE(ran.isEmpty());
}

TEST_F(RemoteLaunchTest, TheRunningProgramGetsTheCommandLineAndItsAnswerIsPrinted) {
    Launch run = launch({"--start", "--icon"});
    EXPECT_FALSE(run.decision.runHere);
    EXPECT_EQ(run.decision.exitStatus, ExitOk);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(ran, QStringList({"icon", "start"}));

    behaviour = [](RemoteCommand command) {
        if (command == RemoteCommand::Stop)
            return CommandOutcome{ErrorReply(QStringLiteral("a dialog is open"))};
        return CommandOutcome{RecordingReply(3, QStringLiteral("/r/a b.mp3"))};
    };
    run = launch({"--status"});
    EXPECT_EQ(run.decision.exitStatus, ExitOk);
    EXPECT_EQ(run.out, "recording 3 /r/a b.mp3\n");
    run = launch({"--stop"});
    EXPECT_EQ(run.decision.exitStatus, ExitFailure);
    EXPECT_EQ(run.err, "quillotap: a dialog is open\n");
    run = launch({});
    EXPECT_EQ(ran.last(), "show") << "a plain start brings the window forward";
}

TEST_F(RemoteLaunchTest, AProgramStillStartingIsWaitedFor) {
    socketPath = quietPath();
    RemoteControlServer starting([](RemoteCommand) { return CommandOutcome{ReadyReply()}; });
    QTimer::singleShot(150, &starting, [&] { starting.listen(quietPath()); });
    const Launch run = launch({"--status"});
    EXPECT_EQ(run.decision.exitStatus, ExitOk) << run.err;
    EXPECT_EQ(run.out, "ready\n");
}

TEST_F(RemoteLaunchTest, AHolderThatEndsBeforeListeningLeavesTheProgramToTheNextStart) {
    socketPath = quietPath();
    QTimer::singleShot(100, [this] { held = false; });
    Launch run = launch({"--start"});
    EXPECT_TRUE(run.decision.runHere);

    held = true;
    taken = false;
    QTimer::singleShot(100, [this] { held = false; });
    run = launch({"--status"});
    EXPECT_EQ(run.decision.exitStatus, ExitNotRunning);
    EXPECT_EQ(run.out, "not running\n");
}

TEST_F(RemoteLaunchTest, AProgramThatNeverAnswersIsAFailureExceptForAPlainStart) {
    socketPath = quietPath();
    Launch run = launch({"--status"});
    EXPECT_EQ(run.decision.exitStatus, ExitFailure);
    EXPECT_EQ(run.err, "quillotap: the running program does not answer\n");
    run = launch({});
    EXPECT_EQ(run.decision.exitStatus, ExitOk);
    EXPECT_EQ(run.out + run.err, "") << "a plain start ends quietly, as it always did";

    // Listening, but the answer never comes.
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(quietPath()));
    run = launch({"--stop"}, 300);
    EXPECT_EQ(run.decision.exitStatus, ExitFailure);
    EXPECT_EQ(run.err, "quillotap: the running program does not answer\n");
}

} // namespace
} // namespace quillotap::test
