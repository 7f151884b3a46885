// The command line and the protocol words: what each argument list means,
// what it sends to a running program, and which lines and answers count.
#include "remote/CommandLine.h"
#include "remote/RemoteProtocol.h"

#include <gtest/gtest.h>

namespace quillotap::test {
namespace {

using Action = CommandLine::Action;

CommandLine parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("quillotap"));
    return ParseCommandLine(arguments);
}

QStringList sentWords(const CommandLine& line) {
    QStringList words;
    for (RemoteCommand command : line.commandsForRunningProgram())
        words << QString::fromLatin1(RemoteCommandWord(command));
    return words;
}

TEST(CommandLine, EachFormStartsOrSendsWhatItNames) {
    struct Case {
        QStringList arguments;
        bool startsProgram;
        QStringList sent;
    };
    const Case cases[] = {
        {{}, true, {"show"}},
        {{"/icon"}, true, {"icon"}},
        {{"--icon"}, true, {"icon"}},
        {{"--start"}, true, {"start"}},
        {{"--toggle"}, true, {"toggle"}},
        {{"--start", "--icon"}, true, {"icon", "start"}},
        {{"--icon", "--toggle"}, true, {"icon", "toggle"}},
        {{"--stop"}, false, {"stop"}},
        {{"--play-last"}, false, {"play-last"}},
        {{"--show"}, false, {"show"}},
        {{"--quit"}, false, {"quit"}},
        {{"--status"}, false, {"status"}},
        // Spellings that never asked for icon mode still start normally.
        {{"/ICON"}, true, {"show"}},
        {{"/icon "}, true, {"show"}},
        {{"/icon", "x"}, true, {"show"}},
        // Qt's own options and their values are left to Qt.
        {{"-platform", "offscreen", "--status"}, false, {"status"}},
        {{"--style=fusion", "--start"}, true, {"start"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine line = parse(c.arguments);
        ASSERT_EQ(line.action, Action::Run) << line.error.toStdString();
        EXPECT_EQ(line.startsProgram(), c.startsProgram);
        EXPECT_EQ(sentWords(line), c.sent);
    }
}

TEST(CommandLine, MistakesAreUsageErrorsThatSayWhy) {
    struct Case {
        QStringList arguments;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--bogus"}, "--bogus"},
        {{"-x"}, "-x"},
        {{"--Start"}, "--Start"},
        {{"--start", "--stop"}, "one command"},
        {{"--status", "--status"}, "one command"},
        {{"--stop", "--icon"}, "--icon"},
        {{"--show", "--icon"}, "--icon"},
        {{"--status", "now"}, "now"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine line = parse(c.arguments);
        EXPECT_EQ(line.action, Action::UsageError);
        EXPECT_TRUE(line.error.contains(QLatin1String(c.mentions))) << line.error.toStdString();
    }
}

TEST(CommandLine, HelpAndVersionWinOverCommandsButNotOverUnknownOptions) {
    EXPECT_EQ(parse({"--status", "--help"}).action, Action::Help);
    EXPECT_EQ(parse({"--version", "--start"}).action, Action::Version);
    EXPECT_EQ(parse({"--help", "--bogus"}).action, Action::UsageError);
    EXPECT_EQ(VersionText(), QStringLiteral("quillotap 4.0\n"));
    // The exit statuses are documented in the help.
    for (int status : {ExitOk, ExitFailure, ExitUsage, ExitNotRunning})
        EXPECT_TRUE(HelpText().contains(QStringLiteral("  %1  ").arg(status))) << status;
}

TEST(RemoteProtocol, OnlyTheExactWordsAreCommands) {
    for (RemoteCommand command :
         {RemoteCommand::Start, RemoteCommand::Stop, RemoteCommand::Toggle, RemoteCommand::PlayLast,
          RemoteCommand::Icon, RemoteCommand::Show, RemoteCommand::Quit, RemoteCommand::Status}) {
        const QByteArray word = RemoteCommandWord(command);
        EXPECT_EQ(ParseRemoteCommand(word), command) << word.constData();
        EXPECT_EQ(ParseRemoteCommand(word + '\r'), command) << "a CR LF line end";
    }
    for (const QByteArray& garbage :
         {QByteArray(""), QByteArray("START"), QByteArray(" start"), QByteArray("start "),
          QByteArray("start\r\r"), QByteArray("sta\0rt", 6), QByteArray("start\0", 6),
          QByteArray("playlast"), QByteArray("\xff\xfe")})
        EXPECT_FALSE(ParseRemoteCommand(garbage)) << garbage.toHex().constData();
}

TEST(RemoteProtocol, AnswersStayOnOneLineAndReadBack) {
    const QByteArray status = RecordingReply(12, QStringLiteral("/home/a b/x\ny.mp3"));
    EXPECT_EQ(status, QByteArray("recording 12 /home/a b/x?y.mp3"));
    EXPECT_EQ(ParseRemoteReply(status).kind, RemoteReply::Kind::Recording);

    const QByteArray error =
        ErrorReply(QStringLiteral("The file could not be created.\n\nDisk full"));
    EXPECT_EQ(error, QByteArray("error The file could not be created. Disk full"));
    const RemoteReply read = ParseRemoteReply(error);
    EXPECT_EQ(read.kind, RemoteReply::Kind::Error);
    EXPECT_EQ(read.message, QStringLiteral("The file could not be created. Disk full"));

    EXPECT_EQ(ParseRemoteReply(OkReply()).kind, RemoteReply::Kind::Ok);
    EXPECT_EQ(ParseRemoteReply(ReadyReply()).kind, RemoteReply::Kind::Ready);
    EXPECT_EQ(ParseRemoteReply("okay").kind, RemoteReply::Kind::Invalid);
    EXPECT_EQ(ParseRemoteReply("recording").kind, RemoteReply::Kind::Invalid);
}

} // namespace
} // namespace quillotap::test
