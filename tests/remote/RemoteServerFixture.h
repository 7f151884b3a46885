#pragma once

// A remote-control server on a socket in a temporary folder whose commands
// are logged, with test-chosen outcomes, and clients that talk to it from
// the test's own thread.
#include "remote/RemoteControlServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace quillotap::test {

// Processes events until `done` holds or `ms` pass; returns `done()`.
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// One client connection, read as lines.
class Peer {
public:
    explicit Peer(const QString& path) {
        QObject::connect(&socket, &QLocalSocket::readyRead,
                         [this] { received += socket.readAll(); });
        socket.connectToServer(path);
        EXPECT_TRUE(socket.waitForConnected(2000)) << socket.errorString().toStdString();
    }
    void send(const QByteArray& bytes) {
        socket.write(bytes);
        socket.flush();
    }
    // The first `count` answer lines; fewer when they do not come.
    QList<QByteArray> answers(int count) {
        WaitFor([&] { return received.count('\n') >= count; });
        QList<QByteArray> lines = received.split('\n');
        lines.removeLast();
        return lines.mid(0, count);
    }
    bool closed() {
        return WaitFor([&] { return socket.state() == QLocalSocket::UnconnectedState; });
    }

    QLocalSocket socket;
    QByteArray received;
};

class RemoteServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.listen(path())) << server.errorString().toStdString();
    }
    QString path() const { return dir.path() + QStringLiteral("/quillotap.socket"); }

    QTemporaryDir dir;
    QStringList ran; // the commands the server ran, in order
    // What a command does; by default it succeeds at once.
    std::function<CommandOutcome(RemoteCommand)> behaviour;
    RemoteControlServer server{[this](RemoteCommand command) {
        ran << QString::fromLatin1(RemoteCommandWord(command));
        if (behaviour)
            return behaviour(command);
        return CommandOutcome{command == RemoteCommand::Status ? ReadyReply() : OkReply()};
    }};
};

} // namespace quillotap::test
