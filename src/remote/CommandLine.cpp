#include "remote/CommandLine.h"

#include <array>
#include <utility>

#ifndef QUILLOTAP_VERSION
#error "QUILLOTAP_VERSION comes from the build (the project version)"
#endif

namespace quillotap {

namespace {

constexpr std::array<std::pair<const char*, RemoteCommand>, 7> kCommandOptions{{
    {"--start", RemoteCommand::Start},
    {"--stop", RemoteCommand::Stop},
    {"--toggle", RemoteCommand::Toggle},
    {"--play-last", RemoteCommand::PlayLast},
    {"--show", RemoteCommand::Show},
    {"--quit", RemoteCommand::Quit},
    {"--status", RemoteCommand::Status},
}};

// Options that QApplication reads itself (with one dash or two), and which
// of them take the next argument as their value.
constexpr std::array<const char*, 14> kQtOptionsWithValue{
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "title",         "name",
    "style",           "stylesheet"};
constexpr std::array<const char*, 6> kQtFlags{"reverse", "widgetcount", "nograb",
                                              "dograb",  "sync",        "qmljsdebugger"};

// 0: not one of Qt's options; otherwise how many arguments it spans.
int QtOptionLength(const QString& argument, bool valueFollows) {
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    const bool inlineValue = equals >= 0;
    if (inlineValue)
        name.truncate(equals);
    for (const char* option : kQtOptionsWithValue)
        if (name == QLatin1String(option))
            return inlineValue || !valueFollows ? 1 : 2;
    for (const char* flag : kQtFlags)
        if (name == QLatin1String(flag))
            return 1;
    return 0;
}

CommandLine usageError(const QString& error) {
    CommandLine line;
    line.action = CommandLine::Action::UsageError;
    line.error = error;
    return line;
}

} // namespace

bool CommandLine::startsProgram() const {
    return !command || *command == RemoteCommand::Start || *command == RemoteCommand::Toggle;
}

QList<RemoteCommand> CommandLine::commandsForRunningProgram() const {
    QList<RemoteCommand> lines;
    if (iconMode)
        lines.append(RemoteCommand::Icon);
    if (command)
        lines.append(*command);
    if (lines.isEmpty())
        lines.append(RemoteCommand::Show);
    return lines;
}

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine result;
    // Exactly this one argument, as autostart entries have always written it.
    if (arguments.size() == 2 && arguments.at(1) == QLatin1String("/icon")) {
        result.iconMode = true;
        return result;
    }
    bool help = false;
    bool version = false;
    QList<RemoteCommand> commands;
    QString firstWord;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--help")) {
            help = true;
            continue;
        }
        if (argument == QLatin1String("--version")) {
            version = true;
            continue;
        }
        if (argument == QLatin1String("--icon")) {
            result.iconMode = true;
            continue;
        }
        bool known = false;
        for (const auto& [option, command] : kCommandOptions) {
            if (argument == QLatin1String(option)) {
                commands.append(command);
                known = true;
            }
        }
        if (known)
            continue;
        if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            const int span = QtOptionLength(argument, i + 1 < arguments.size());
            if (span == 0)
                return usageError(QStringLiteral("unknown option: %1").arg(argument));
            i += span - 1;
            continue;
        }
        if (firstWord.isNull())
            firstWord = argument;
    }
    if (help) {
        result.action = CommandLine::Action::Help;
        return result;
    }
    if (version) {
        result.action = CommandLine::Action::Version;
        return result;
    }
    if (commands.size() > 1)
        return usageError(QStringLiteral("give one command at a time"));
    if (!commands.isEmpty())
        result.command = commands.first();
    if (result.command && !firstWord.isNull())
        return usageError(QStringLiteral("unexpected argument: %1").arg(firstWord));
    if (result.iconMode && result.command && !result.startsProgram())
        return usageError(QStringLiteral("--icon goes with --start or --toggle only"));
    return result;
}

QString HelpText() {
    return QStringLiteral(
        "Usage: quillotap [--icon] [COMMAND]\n"
        "A sound recorder started and stopped by system-wide hotkeys.\n"
        "\n"
        "Without a command the program starts; if it is already running, its\n"
        "window comes to the front (leaving icon mode) and this start ends.\n"
        "\n"
        "Commands, handed to the running program:\n"
        "  --start      start recording, after the start cue; starts the program\n"
        "               first when it is not running\n"
        "  --stop       stop recording, then play the stop cue\n"
        "  --toggle     start or stop recording; starts the program first when it\n"
        "               is not running\n"
        "  --play-last  stop recording and playback, then play the last recording\n"
        "  --icon       switch to icon mode; when the program is not running, start\n"
        "               it in icon mode (also with --start or --toggle)\n"
        "  --show       leave icon mode and bring the window to the front\n"
        "  --quit       finish a running recording, save the settings and end the\n"
        "               program\n"
        "  --status     print \"recording <seconds> <path>\" while recording\n"
        "               (seconds recorded so far, the file's full path as the rest\n"
        "               of the line), \"ready\" otherwise, or \"not running\"\n"
        "\n"
        "  --help       show this help and exit\n"
        "  --version    print the version and exit\n"
        "\n"
        "--start while recording and --stop while not recording change nothing.\n"
        "Commands reach the program over a socket in $XDG_RUNTIME_DIR that only\n"
        "the same user may use.\n"
        "\n"
        "Exit status:\n"
        "  0  done\n"
        "  1  failed; the reason is printed on standard error\n"
        "  2  usage error: an unknown option or more than one command\n"
        "  3  the program is not running: --status prints \"not running\",\n"
        "     --stop, --play-last, --show and --quit say so on standard error\n");
}

QString VersionText() {
    return QStringLiteral("quillotap " QUILLOTAP_VERSION "\n");
}

} // namespace quillotap
