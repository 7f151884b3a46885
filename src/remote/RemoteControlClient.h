// The sending end of remote control: connects to the running program's
// socket, sends command lines and collects one answer line per command.
// Plain blocking socket calls, so that it works before (and without) any Qt
// application object or display.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace quillotap {

class RemoteControlClient {
public:
    // How long the program may take over all answers: a start waits for its
    // cue, and a command waits behind one that shows a message box.
    static constexpr int kDefaultAnswerTimeoutMs = 30000;
    // Longest answer line read ("recording <seconds> <path>").
    static constexpr int kMaxAnswerLength = 8192;

    struct Result {
        enum class Outcome {
            Answered,     // every command got its answer
            NotListening, // no socket, or nobody accepts on it (yet)
            NoAnswer,     // the answers did not all come in time
            Closed,       // the program closed the connection first
            Failed,       // the socket cannot be used (see error)
        };
        Outcome outcome = Outcome::Failed;
        QList<QByteArray> answers; // those received, without "\n"
        QString error;
    };

    explicit RemoteControlClient(QString socketPath, int answerTimeoutMs = kDefaultAnswerTimeoutMs);

    // One connection: sends the lines (each without "\n") and waits for as
    // many answers.
    Result send(const QList<QByteArray>& lines) const;

    const QString& socketPath() const { return path_; }

private:
    QString path_;
    int answerTimeoutMs_;
};

} // namespace quillotap
