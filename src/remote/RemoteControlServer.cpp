#include "remote/RemoteControlServer.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillotap {

namespace {

// Bytes of reply a client is given time to take at the end.
constexpr int kExitWriteMs = 1000;

} // namespace

RemoteControlServer::RemoteControlServer(Runner runner, QObject* parent)
    : QObject(parent), runner_(std::move(runner)), server_(new QLocalServer(this)),
      allowedUid_(::getuid()) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &RemoteControlServer::acceptConnections);
}

RemoteControlServer::~RemoteControlServer() {
    // The socket file goes first, while this process still holds the lock.
    server_->close();
}

bool RemoteControlServer::listen(const QString& path) {
    // Whoever holds the lock owns the name: a file there is left over.
    QLocalServer::removeServer(path);
    if (!server_->listen(path)) {
        error_ = server_->errorString();
        return false;
    }
    // The socket is made 0700 in a private folder; the execute bit means
    // nothing on a socket.
    ::chmod(QFile::encodeName(path).constData(), 0600);
    error_.clear();
    return true;
}

bool RemoteControlServer::isListening() const {
    return server_->isListening();
}

int RemoteControlServer::connectionCount() const {
    return int(connections_.size());
}

void RemoteControlServer::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerAllowed(socket)) {
            refuse(socket, ErrorReply(QStringLiteral("permission denied")));
            continue;
        }
        // Reading stops at a few lines' worth until those are handled, so
        // a peer that floods the socket only fills its own buffers.
        socket->setReadBufferSize(4 * (kMaxCommandLength + 2));
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->setInterval(kIdleTimeoutMs);
        connect(idle, &QTimer::timeout, socket, &QLocalSocket::disconnectFromServer);
        connections_.insert(socket, Connection{idle, false});
        connect(socket, &QObject::destroyed, this, [this, socket] { connections_.remove(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readLines(socket); });
        idle->start();
        readLines(socket);
    }
}

bool RemoteControlServer::peerAllowed(QLocalSocket* socket) const {
    const qintptr fd = socket->socketDescriptor();
    struct ucred peer {};
    socklen_t size = sizeof peer;
    if (fd < 0 || ::getsockopt(int(fd), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return false;
    return size == sizeof peer && peer.uid == allowedUid_;
}

void RemoteControlServer::readLines(QLocalSocket* socket) {
    for (;;) {
        const auto it = connections_.find(socket);
        if (it == connections_.end() || it->busy)
            return;
        const QByteArray head = socket->peek(kMaxCommandLength + 1);
        const qsizetype end = head.indexOf('\n');
        if (end < 0) {
            // No line end within the limit: the rest of the stream cannot be
            // told apart from this line, so the connection ends here.
            if (head.size() > kMaxCommandLength) {
                connections_.erase(it);
                refuse(socket, ErrorReply(QStringLiteral("line too long")));
            }
            return;
        }
        const QByteArray line = socket->read(end + 1).chopped(1);
        it->idle->start();
        const std::optional<RemoteCommand> command = ParseRemoteCommand(line);
        if (!command) {
            answer(socket, ErrorReply(QStringLiteral("unknown command")));
        } else if (ending_) {
            answer(socket, ErrorReply(QStringLiteral("Quillotap is ending")));
        } else if (*command == RemoteCommand::Status) {
            answer(socket, runner_(*command).reply);
        } else if (*command == RemoteCommand::Quit) {
            // Not behind the others: a command waiting for an answer to a
            // message box would hold it back, and ending the program is
            // what ends that wait (the box is cancelled as on SIGTERM).
            it->busy = true;
            it->idle->stop();
            if (runner_(*command).ending) {
                ending_ = true;
                awaitingExit_.append(socket);
            }
        } else {
            it->busy = true;
            it->idle->stop();
            queue_.append(Pending{socket, false, *command});
            scheduleQueue();
        }
    }
}

void RemoteControlServer::runLocal(RemoteCommand command) {
    queue_.append(Pending{nullptr, true, command});
    scheduleQueue();
}

void RemoteControlServer::scheduleQueue() {
    // Commands run from the event loop, never inside a socket's own signal:
    // one that waits in a nested loop may see that socket closed and
    // deleted meanwhile.
    if (scheduled_)
        return;
    scheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            scheduled_ = false;
            runQueue();
        },
        Qt::QueuedConnection);
}

void RemoteControlServer::runQueue() {
    // A command that waits in a nested event loop brings us back here; the
    // outer call runs what arrived meanwhile once that command returns.
    if (running_)
        return;
    running_ = true;
    while (!queue_.isEmpty() && !ending_) {
        const Pending next = queue_.takeFirst();
        // A client that has gone (given up waiting) no longer wants its
        // command carried out later.
        if (!next.local && (!next.socket || next.socket->state() != QLocalSocket::ConnectedState))
            continue;
        const CommandOutcome outcome = runner_(next.command);
        if (outcome.ending) {
            ending_ = true;
            if (next.socket)
                awaitingExit_.append(next.socket);
        } else if (next.local) {
            const RemoteReply reply = ParseRemoteReply(outcome.reply);
            if (reply.kind == RemoteReply::Kind::Error)
                qWarning("quillotap: %s", qPrintable(reply.message));
        } else if (next.socket) {
            finish(next.socket, outcome.reply);
        }
    }
    running_ = false;
}

void RemoteControlServer::answer(QLocalSocket* socket, const QByteArray& reply) {
    socket->write(reply + '\n');
    socket->flush();
}

void RemoteControlServer::finish(QLocalSocket* socket, const QByteArray& reply) {
    answer(socket, reply);
    const auto it = connections_.find(socket);
    if (it == connections_.end())
        return;
    it->busy = false;
    it->idle->start();
    QMetaObject::invokeMethod(
        this,
        [this, pending = QPointer<QLocalSocket>(socket)] {
            if (pending)
                readLines(pending);
        },
        Qt::QueuedConnection);
}

void RemoteControlServer::refuse(QLocalSocket* socket, const QByteArray& reply) {
    answer(socket, reply);
    // Closes once the answer is written.
    socket->disconnectFromServer();
}

void RemoteControlServer::answerAtExit(const QByteArray& reply) {
    ending_ = true;
    QList<QPointer<QLocalSocket>> told;
    for (const QPointer<QLocalSocket>& socket : std::as_const(awaitingExit_)) {
        if (socket) {
            answer(socket, reply);
            told.append(socket);
        }
    }
    for (const Pending& pending : std::as_const(queue_)) {
        if (pending.socket) {
            answer(pending.socket, ErrorReply(QStringLiteral("Quillotap has ended")));
            told.append(pending.socket);
        }
    }
    awaitingExit_.clear();
    queue_.clear();
    for (const QPointer<QLocalSocket>& socket : std::as_const(told)) {
        if (socket && socket->bytesToWrite() > 0)
            socket->waitForBytesWritten(kExitWriteMs);
    }
}

} // namespace quillotap
