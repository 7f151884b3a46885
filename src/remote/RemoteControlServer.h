// The running program's end of remote control: a local socket that takes
// one command per line from processes of the same user and answers each
// with one line (see RemoteProtocol.h). Lives on the UI thread.
//
// Commands run one at a time, in the order they arrive, on the UI thread.
// A command whose operation waits in a nested event loop (a message box)
// holds the others back until it returns. Two are answered at once:
// "status", as it changes nothing, and "quit", which ends such waits. A
// connection's next line is read only after its previous one has been
// answered, so answers come in order.
#pragma once

#include "remote/RemoteCommands.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <sys/types.h>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace quillotap {

class RemoteControlServer : public QObject {
    Q_OBJECT
public:
    using Runner = std::function<CommandOutcome(RemoteCommand)>;

    // A connection that sends no complete line for this long is closed.
    static constexpr int kIdleTimeoutMs = 30000;

    // `runner` carries out the commands (RunRemoteCommand in the program).
    explicit RemoteControlServer(Runner runner, QObject* parent = nullptr);
    ~RemoteControlServer() override;

    // Only peers running as this user are served; the process's own user
    // unless changed.
    void setAllowedUser(uid_t uid) { allowedUid_ = uid; }

    // Listens on `path`, replacing a socket file a crashed run left behind;
    // only the holder of the single-instance lock may call this. The socket
    // file is readable and writable by the user alone (0600). False, with
    // errorString(), when the socket cannot be made.
    bool listen(const QString& path);
    QString errorString() const { return error_; }
    bool isListening() const;

    // Runs a command of this process's own command line in turn with the
    // ones that arrive; its answer goes to the error output when it fails.
    void runLocal(RemoteCommand command);

    // The program has shut down: "quit" gets `reply`, commands still
    // waiting are told that the program ends. Blocks until the answers are
    // written (or a short time passes).
    void answerAtExit(const QByteArray& reply);

    // Connections currently open, and commands waiting for their turn (for
    // tests and diagnostics).
    int connectionCount() const;
    int queuedCommands() const { return int(queue_.size()); }

private:
    struct Connection {
        QTimer* idle = nullptr;
        bool busy = false; // a command of this connection waits or runs
    };
    struct Pending {
        QPointer<QLocalSocket> socket; // null for a local command
        bool local = false;
        RemoteCommand command;
    };

    void acceptConnections();
    bool peerAllowed(QLocalSocket* socket) const;
    void readLines(QLocalSocket* socket);
    void scheduleQueue();
    void runQueue();
    void answer(QLocalSocket* socket, const QByteArray& reply);
    // Answers the connection's queued command and goes on reading it.
    void finish(QLocalSocket* socket, const QByteArray& reply);
    void refuse(QLocalSocket* socket, const QByteArray& reply);

    Runner runner_;
    QLocalServer* server_ = nullptr;
    uid_t allowedUid_;
    QString error_;
    QHash<QLocalSocket*, Connection> connections_;
    QList<Pending> queue_;
    QList<QPointer<QLocalSocket>> awaitingExit_;
    bool scheduled_ = false;
    bool running_ = false;
    bool ending_ = false;
};

} // namespace quillotap
