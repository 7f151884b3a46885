#include "remote/RemoteLaunch.h"

#include "remote/RemoteControlClient.h"

#include <QElapsedTimer>
#include <ostream>
#include <thread>

namespace quillotap {

namespace {

LaunchDecision fail(std::ostream& err, const QString& message) {
    err << "quillotap: " << message.toStdString() << '\n';
    return {false, ExitFailure};
}

// Prints the answers and gives the exit status they mean.
LaunchDecision report(const QList<QByteArray>& answers, std::ostream& out, std::ostream& err) {
    for (const QByteArray& answer : answers) {
        const RemoteReply reply = ParseRemoteReply(answer);
        switch (reply.kind) {
        case RemoteReply::Kind::Ok:
            break;
        case RemoteReply::Kind::Ready:
        case RemoteReply::Kind::Recording:
            out << answer.toStdString() << '\n';
            break;
        case RemoteReply::Kind::Error:
            return fail(err, reply.message);
        case RemoteReply::Kind::Invalid:
            return fail(err, QStringLiteral("unexpected answer from the running program: %1")
                                 .arg(QString::fromUtf8(answer.left(80))));
        }
    }
    return {false, ExitOk};
}

} // namespace

LaunchDecision HandOverOrRunHere(const CommandLine& commandLine, const InstanceLock& lock,
                                 const RemoteControlClient& client, std::ostream& out,
                                 std::ostream& err, const LaunchTiming& timing) {
    using Outcome = RemoteControlClient::Result::Outcome;
    const bool plain = !commandLine.command && !commandLine.iconMode;
    QList<QByteArray> lines;
    for (RemoteCommand command : commandLine.commandsForRunningProgram())
        lines.append(RemoteCommandWord(command));

    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (lock.tryLock()) {
            if (commandLine.startsProgram())
                return {true, ExitOk};
            lock.release();
            if (commandLine.command == RemoteCommand::Status)
                out << "not running\n";
            else
                err << "quillotap: not running\n";
            return {false, ExitNotRunning};
        }
        const RemoteControlClient::Result result = client.send(lines);
        // A plain start only brings the window forward; whatever stops it
        // from doing so, it ends as quietly as it always did.
        if (plain && result.outcome != Outcome::NotListening)
            return {false, ExitOk};
        switch (result.outcome) {
        case Outcome::Answered:
            return report(result.answers, out, err);
        case Outcome::NoAnswer:
            return fail(err, QStringLiteral("the running program does not answer"));
        case Outcome::Closed:
            return fail(err, QStringLiteral("the running program ended before it answered"));
        case Outcome::Failed:
            return fail(err, result.error);
        case Outcome::NotListening:
            break;
        }
        // The lock's holder is still starting (or has just ended).
        if (waited.elapsed() >= (plain ? timing.plainPatience : timing.patience).count()) {
            if (plain)
                return {false, ExitOk};
            return fail(err, QStringLiteral("the running program does not answer"));
        }
        std::this_thread::sleep_for(timing.retryInterval);
    }
}

} // namespace quillotap
