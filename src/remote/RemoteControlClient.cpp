#include "remote/RemoteControlClient.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quillotap {

namespace {

// Closes the descriptor however the exchange ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

bool writeAll(int fd, const QByteArray& data) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n =
            ::send(fd, data.constData() + done, size_t(data.size() - done), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

RemoteControlClient::RemoteControlClient(QString socketPath, int answerTimeoutMs)
    : path_(std::move(socketPath)), answerTimeoutMs_(answerTimeoutMs) {}

RemoteControlClient::Result RemoteControlClient::send(const QList<QByteArray>& lines) const {
    using Outcome = Result::Outcome;
    Result result;
    const QByteArray name = QFile::encodeName(path_);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof address.sun_path) {
        result.error = QStringLiteral("the socket path is too long: %1").arg(path_);
        return result;
    }
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));

    const Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.get() < 0) {
        result.error = systemError("socket");
        return result;
    }
    int connected;
    do {
        connected =
            ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (connected != 0 && errno == EINTR);
    if (connected != 0) {
        // No file, or a file nobody accepts on: the program is not (yet)
        // listening. A full backlog (EAGAIN) is worth another try as well.
        if (errno == ENOENT || errno == ECONNREFUSED || errno == EAGAIN) {
            result.outcome = Outcome::NotListening;
        } else {
            result.error = systemError(qPrintable(path_));
        }
        return result;
    }

    QByteArray request;
    for (const QByteArray& line : lines)
        request += line + '\n';
    // A program that refuses the connection answers and closes at once,
    // maybe before the request is through: its answer is still read.
    writeAll(socket.get(), request);

    QByteArray buffer;
    const QDeadlineTimer deadline(answerTimeoutMs_);
    while (result.answers.size() < lines.size()) {
        const qsizetype end = buffer.indexOf('\n');
        if (end >= 0) {
            result.answers.append(buffer.left(end));
            buffer.remove(0, end + 1);
            continue;
        }
        if (buffer.size() > kMaxAnswerLength) {
            result.error = QStringLiteral("the answer is too long");
            return result;
        }
        pollfd waiting{socket.get(), POLLIN, 0};
        const int ready = ::poll(&waiting, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0) {
            result.outcome = Outcome::NoAnswer;
            return result;
        }
        char chunk[512];
        const ssize_t n = ready < 0 ? -1 : ::recv(socket.get(), chunk, sizeof chunk, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            result.outcome = Outcome::Closed;
            return result;
        }
        buffer.append(chunk, n);
    }
    result.outcome = Outcome::Answered;
    return result;
}

} // namespace quillotap
