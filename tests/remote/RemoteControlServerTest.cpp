// The program's socket: the line rules, who may talk to it, and the order
// in which commands run.
#include "RemoteServerFixture.h"

#include <QEventLoop>
#include <QTimer>

#include <unistd.h>

namespace quillotap::test {
namespace {

using Answers = QList<QByteArray>;

TEST_F(RemoteServerTest, AnswersEveryLineInOrderAndRefusesGarbage) {
    Peer peer(path());
    peer.send(QByteArray("status\nbogus\nstart\n\nsta\0tus\nstatus\r\n", 36));
    EXPECT_EQ(peer.answers(6),
              Answers({"ready", "error unknown command", "ok", "error unknown command",
                       "error unknown command", "ready"}));
    EXPECT_EQ(ran, QStringList({"status", "start", "status"}));
    EXPECT_EQ(peer.socket.state(), QLocalSocket::ConnectedState);
}

TEST_F(RemoteServerTest, ALineOverTheLimitEndsTheConnection) {
    Peer limit(path());
    limit.send(QByteArray(kMaxCommandLength, 'x') + '\n');
    EXPECT_EQ(limit.answers(1), Answers({"error unknown command"})) << "at the limit: just unknown";

    Peer over(path());
    over.send(QByteArray(kMaxCommandLength + 1, 'x') + "\nstatus\n");
    EXPECT_TRUE(over.closed());
    EXPECT_EQ(over.received, "error line too long\n");

    // Refused as soon as the limit is passed, without waiting for a line end.
    Peer endless(path());
    endless.send(QByteArray(4000, 's'));
    EXPECT_TRUE(endless.closed());
    EXPECT_EQ(endless.received, "error line too long\n");
    EXPECT_TRUE(ran.isEmpty());
}

TEST_F(RemoteServerTest, APeerOfAnotherUserIsRefused) {
    server.setAllowedUser(::getuid() + 1);
    Peer stranger(path());
    stranger.send("start\n");
    EXPECT_TRUE(stranger.closed());
    EXPECT_EQ(stranger.received, "error permission denied\n");
    EXPECT_TRUE(ran.isEmpty());
}

// Start waits in a nested event loop, as behind a message box, while the
// test does what it wants to happen meanwhile.
class WaitingCommandTest : public RemoteServerTest {
protected:
    void SetUp() override {
        RemoteServerTest::SetUp();
        behaviour = [this](RemoteCommand command) {
            if (command == RemoteCommand::Start && whileStartWaits) {
                QEventLoop box;
                QTimer::singleShot(0, &box, [&] {
                    whileStartWaits();
                    box.quit();
                });
                box.exec();
            }
            return CommandOutcome{command == RemoteCommand::Status ? ReadyReply() : OkReply(),
                                  command == RemoteCommand::Quit};
        };
    }
    std::function<void()> whileStartWaits;
};

TEST_F(WaitingCommandTest, CommandsRunOneAtATimeWhileStatusIsAnsweredAtOnce) {
    Peer first(path());
    Peer second(path());
    Peer third(path());
    whileStartWaits = [&] {
        second.send("stop\n");
        third.send("status\n");
        EXPECT_EQ(third.answers(1), Answers({"ready"}));
        EXPECT_TRUE(WaitFor([&] { return server.queuedCommands() == 1; }));
        EXPECT_EQ(ran, QStringList({"start", "status"})) << "stop waits for start";
        EXPECT_TRUE(first.received.isEmpty());
    };
    first.send("start\n");
    EXPECT_EQ(first.answers(1), Answers({"ok"}));
    EXPECT_EQ(second.answers(1), Answers({"ok"}));
    EXPECT_EQ(ran, QStringList({"start", "status", "stop"}));
}

TEST_F(WaitingCommandTest, ClientsThatLeaveWhileCommandsWaitAreForgotten) {
    auto first = std::make_unique<Peer>(path());
    auto second = std::make_unique<Peer>(path());
    bool returned = false;
    whileStartWaits = [&] {
        second->send("stop\n");
        EXPECT_TRUE(WaitFor([&] { return server.queuedCommands() == 1; }));
        // Both go away: the one whose command runs, and the one still waiting.
        first.reset();
        second.reset();
        EXPECT_TRUE(WaitFor([&] { return server.connectionCount() == 0; }));
        returned = true;
    };
    // Accepted before the line comes, so the line arrives through the
    // socket's own signal, as from a client that connects and then writes.
    ASSERT_TRUE(WaitFor([&] { return server.connectionCount() == 2; }));
    first->send("start\n");
    ASSERT_TRUE(WaitFor([&] { return returned && server.queuedCommands() == 0; }));
    Peer later(path());
    later.send("status\n");
    EXPECT_EQ(later.answers(1), Answers({"ready"}));
    EXPECT_EQ(ran, QStringList({"start", "status"})) << "the stop of a client gone is not run";
}

TEST_F(RemoteServerTest, OwnCommandsRunBeforeLaterOnes) {
    server.runLocal(RemoteCommand::Start);
    Peer peer(path());
    peer.send("stop\n");
    EXPECT_EQ(peer.answers(1), Answers({"ok"}));
    EXPECT_EQ(ran, QStringList({"start", "stop"}));
}

TEST_F(WaitingCommandTest, QuitEndsAWaitAndIsAnsweredOnceTheProgramHasEnded) {
    Peer first(path());
    Peer waiting(path());
    Peer quitting(path());
    whileStartWaits = [&] {
        waiting.send("stop\n");
        EXPECT_TRUE(WaitFor([&] { return server.queuedCommands() == 1; }));
        quitting.send("quit\n");
        EXPECT_TRUE(WaitFor([&] {
            return ran == QStringList({"start", "quit"});
        })) << "quit does not wait behind the others";
    };
    first.send("start\n");
    EXPECT_EQ(first.answers(1), Answers({"ok"}));
    Peer late(path());
    late.send("status\n");
    EXPECT_EQ(late.answers(1), Answers({"error Quillotap is ending"}));
    EXPECT_TRUE(quitting.received.isEmpty());

    server.answerAtExit(OkReply());
    EXPECT_EQ(quitting.answers(1), Answers({"ok"}));
    EXPECT_EQ(waiting.answers(1), Answers({"error Quillotap has ended"}));
    EXPECT_EQ(ran, QStringList({"start", "quit"})) << "nothing runs after quit";
}

} // namespace
} // namespace quillotap::test
