// The remote-control protocol between `quillotap --<command>` and the running
// program: the client sends one command per line ("start", "status", ...),
// the program answers each with one line: "ok", "ready",
// "recording <seconds> <path>" or "error <message>". Lines are UTF-8, end in
// "\n" (a "\r" before it is tolerated) and hold at most kMaxCommandLength
// bytes before the line end; anything else is refused.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace quillotap {

enum class RemoteCommand { Start, Stop, Toggle, PlayLast, Icon, Show, Quit, Status };

// Longest command line the program reads, line end excluded.
constexpr int kMaxCommandLength = 64;

// The command a line names (without its "\n"); none for anything else:
// unknown words, other spellings, blanks, control bytes.
std::optional<RemoteCommand> ParseRemoteCommand(QByteArrayView line);
// The word that names the command on the wire ("play-last" for PlayLast).
QByteArray RemoteCommandWord(RemoteCommand command);

// Reply lines, without their "\n".
QByteArray OkReply();
QByteArray ReadyReply();
// "recording <seconds> <path>": the path is the rest of the line, blanks
// included. Line breaks in it would end the line early; they are sent as "?".
QByteArray RecordingReply(qint64 seconds, const QString& path);
// "error <message>", the message kept to one line.
QByteArray ErrorReply(const QString& message);

// A reply line as the client reads it.
struct RemoteReply {
    enum class Kind { Ok, Ready, Recording, Error, Invalid };
    Kind kind = Kind::Invalid;
    QString message; // Error: the message
};
RemoteReply ParseRemoteReply(QByteArrayView line);

} // namespace quillotap
