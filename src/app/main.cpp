// The program: one instance per user, the main window, and a clean
// shut-down however the program is asked to end (window closed, desktop
// session ending, SIGTERM, SIGINT, SIGHUP).
#include "app/FormMain.h"
#include "app/ShownTimestamp.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "ui/Bitmaps.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdlib>
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
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillotap"));
    QApplication::setOrganizationName(QStringLiteral("Velmora Software"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.velmora.quillotap"));
    QApplication::setWindowIcon(quillotap::ProgramIcon());

    // A second start ends at once: no window, nothing written.
    quillotap::SingleInstance instance;
    if (!instance.tryLock())
        return 0;

    // A signal ends the program from wherever it waits, a message box or a
    // dialog included; the shut-down then runs as the application's event
    // loop returns (aboutToQuit below).
    quillotap::TerminationSignals termination;
    quillotap::FormMain window;
    QObject::connect(&termination, &quillotap::TerminationSignals::terminationRequested, &window,
                     [] { quillotap::LeaveModalStates(0); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.Shutdown(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &quillotap::FormMain::Shutdown);

    if (!window.StartUp(QCoreApplication::arguments()))
        return 1;
    if (termination.requested()) {
        // The signal came while the start-up waited in its message box. The
        // start-up has finished; the application's loop, entered only to
        // return at once, runs the same shut-down as any other end.
        QMetaObject::invokeMethod(
            &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    } else {
        quillotap::ReportWhenShown(&window);
        if (!window.state().IconMode)
            window.show();
    }
    runningWindow = &window;
    std::atexit(finishOnExit);
    const int status = app.exec();
    runningWindow = nullptr;
    return status;
}
