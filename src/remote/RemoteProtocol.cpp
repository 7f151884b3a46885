#include "remote/RemoteProtocol.h"

#include <array>
#include <utility>

namespace quillotap {

namespace {

constexpr std::array<std::pair<RemoteCommand, const char*>, 8> kWords{{
    {RemoteCommand::Start, "start"},
    {RemoteCommand::Stop, "stop"},
    {RemoteCommand::Toggle, "toggle"},
    {RemoteCommand::PlayLast, "play-last"},
    {RemoteCommand::Icon, "icon"},
    {RemoteCommand::Show, "show"},
    {RemoteCommand::Quit, "quit"},
    {RemoteCommand::Status, "status"},
}};

// One line of text: line breaks and other control characters would split
// the reply or confuse the terminal that shows it.
QByteArray OneLine(const QString& text) {
    QString line = text;
    for (QChar& c : line)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return line.toUtf8();
}

} // namespace

std::optional<RemoteCommand> ParseRemoteCommand(QByteArrayView line) {
    if (line.endsWith('\r'))
        line.chop(1);
    for (const auto& [command, word] : kWords)
        if (line == QByteArrayView(word))
            return command;
    return std::nullopt;
}

QByteArray RemoteCommandWord(RemoteCommand command) {
    for (const auto& [known, word] : kWords)
        if (known == command)
            return word;
    return {};
}

QByteArray OkReply() {
    return "ok";
}

QByteArray ReadyReply() {
    return "ready";
}

QByteArray RecordingReply(qint64 seconds, const QString& path) {
    return "recording " + QByteArray::number(seconds) + ' ' + OneLine(path);
}

QByteArray ErrorReply(const QString& message) {
    // Messages written for a message box come in paragraphs.
    return "error " + OneLine(message.simplified());
}

RemoteReply ParseRemoteReply(QByteArrayView line) {
    if (line == "ok")
        return {RemoteReply::Kind::Ok, {}};
    if (line == "ready")
        return {RemoteReply::Kind::Ready, {}};
    if (line.startsWith("recording "))
        return {RemoteReply::Kind::Recording, {}};
    if (line.startsWith("error "))
        return {RemoteReply::Kind::Error, QString::fromUtf8(line.sliced(6))};
    return {};
}

} // namespace quillotap
