// The program's command line: a plain start, the remote-control commands
// (--start, --stop, --toggle, --play-last, --icon, --show, --quit,
// --status), --help and --version. The lone argument "/icon" that autostart
// entries of older versions carry is read as --icon.
#pragma once

#include "remote/RemoteProtocol.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace quillotap {

// The program's exit statuses.
enum ExitStatus : int {
    ExitOk = 0,
    ExitFailure = 1,    // the reason is on the error output
    ExitUsage = 2,      // an option the program does not know
    ExitNotRunning = 3, // a command for a program that is not running
};

struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    // The command asked for; none for a plain start (or one with --icon only).
    std::optional<RemoteCommand> command;
    // --icon (or "/icon"): start in icon mode, or switch the running program to it.
    bool iconMode = false;
    QString error; // UsageError: what is wrong

    // Whether this start becomes the program when none runs: a plain start,
    // --icon, --start and --toggle do; the other commands need one running.
    bool startsProgram() const;
    // The lines a running program is sent, in order: a plain start brings
    // its window to the front ("show"); --icon goes before a start.
    QList<RemoteCommand> commandsForRunningProgram() const;
};

// `arguments` as the process got them, the program's name first. Qt's own
// options (-platform NAME, -style NAME, ...) are left for Qt. Other words
// without a leading dash are ignored, as they always were, unless a command
// is given too.
CommandLine ParseCommandLine(const QStringList& arguments);

// The --help text (options and exit statuses) and the --version line
// ("quillotap 4.0"), each ending in a line break.
QString HelpText();
QString VersionText();

} // namespace quillotap
