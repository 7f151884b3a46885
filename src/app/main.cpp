// The program: one instance per user, the main window, remote control from
// the command line, and a clean shut-down however the program is asked to
// end (window closed, desktop session ending, --quit, SIGTERM, SIGINT,
// SIGHUP).
#include "app/FormMain.h"
#include "app/MainRemoteHost.h"
#include "app/ShownTimestamp.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "remote/CommandLine.h"
#include "remote/RemoteControlClient.h"
#include "remote/RemoteControlServer.h"
#include "remote/RemoteLaunch.h"
#include "ui/Translations.h"
#include "widgets/Bitmaps.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdlib>
#include <iostream>
#include <utility>

namespace {
// The window while the event loop runs. When the display goes away (a
// desktop session that ends by closing its X server), Qt ends the process
// with exit() from inside the loop; this exit handler still finishes a
// running recording and saves the settings then.
quillotap::FormMain* runningWindow = nullptr;

void finishOnExit() {
    if (quillotap::FormMain* window = std::exchange(runningWindow, nullptr))
        window->Shutdown();
}

QStringList ArgumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}
} // namespace

int main(int argc, char** argv) {
    using namespace quillotap;
    const QStringList arguments = ArgumentList(argc, argv);
    const CommandLine commandLine = ParseCommandLine(arguments);
    switch (commandLine.action) {
    case CommandLine::Action::Help:
        std::cout << HelpText().toStdString();
        return ExitOk;
    case CommandLine::Action::Version:
        std::cout << VersionText().toStdString();
        return ExitOk;
    case CommandLine::Action::UsageError:
        std::cerr << "quillotap: " << commandLine.error.toStdString()
                  << "\nTry 'quillotap --help' for more information.\n";
        return ExitUsage;
    case CommandLine::Action::Run:
        break;
    }
    // Named before the lock: its fallback folder is named after them.
    QCoreApplication::setApplicationName(QStringLiteral("Quillotap"));
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora Software"));

    // The holder of the per-user lock is the program. Any other start hands
    // its command line over and ends, before it opens a window or needs a
    // display: a plain start only brings the running window to the front.
    SingleInstance instance;
    {
        const RemoteControlClient client(SingleInstance::defaultSocketPath());
        const InstanceLock lock{[&instance] { return instance.tryLock(); },
                                [&instance] { instance.release(); }};
        const LaunchDecision decision =
            HandOverOrRunHere(commandLine, lock, client, std::cout, std::cerr);
        if (!decision.runHere)
            return decision.exitStatus;
    }

    QApplication app(argc, argv);
    // The desktop's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) picks the
    // translation; without one the texts stay English.
    const UiTranslations translations(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.velmora.quillotap"));
    QApplication::setWindowIcon(ProgramIcon());

    // A signal ends the program from wherever it waits, a message box or a
    // dialog included; the shut-down then runs as the application's event
    // loop returns (aboutToQuit below).
    TerminationSignals termination;
    FormMain window;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &window,
                     [] { LeaveModalStates(0); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.Shutdown(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &FormMain::Shutdown);

    QStringList startArguments{arguments.value(0)};
    if (commandLine.iconMode)
        startArguments.append(QStringLiteral("/icon"));
    if (!window.StartUp(startArguments))
        return ExitFailure;

    // Remote commands act as the hotkeys do, on the same operations.
    MainRemoteHost host(window.hotkeys(), window.recordingMonitor(), window.recordingSession());
    RemoteControlServer remote([&window, &host](RemoteCommand command) {
        return RunRemoteCommand(command, window.hotkeyActions(), host);
    });
    if (termination.requested()) {
        // The signal came while the start-up waited in its message box. The
        // start-up has finished; the application's loop, entered only to
        // return at once, runs the same shut-down as any other end.
        QMetaObject::invokeMethod(
            &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    } else {
        ReportWhenShown(&window);
        if (!window.isInIconMode())
            window.show();
        if (!remote.listen(SingleInstance::defaultSocketPath()))
            qWarning("quillotap: remote control is not available: %s",
                     qPrintable(remote.errorString()));
        // --start or --toggle that started the program: it records once the
        // window is up, and before any command from elsewhere.
        if (commandLine.command) {
            const RemoteCommand command = *commandLine.command;
            QMetaObject::invokeMethod(
                &remote, [&remote, command] { remote.runLocal(command); }, Qt::QueuedConnection);
        }
    }
    runningWindow = &window;
    std::atexit(finishOnExit);
    const int status = app.exec();
    runningWindow = nullptr;
    // "--quit" is answered once the recording is finished and the settings
    // are saved.
    remote.answerAtExit(OkReply());
    return status;
}
