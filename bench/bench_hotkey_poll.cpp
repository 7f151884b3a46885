// CPU cost of the idle hotkey poller on the real X11 keyboard: runs the
// poller with its real timers for a while (no key held: where the server has
// XInput2 the poller sleeps until a key goes down, otherwise every tick reads
// the keyboard and the seven rows and finds nothing) and prints the CPU time
// used as a percentage of one core, next to a reference: an empty timer
// ticking at the poll interval, which is the floor any polling design pays.
//
//   Xvfb :99 & DISPLAY=:99 build/bench/bench_hotkey_poll [seconds]
#include "hotkeys/HotkeyActions.h"
#include "hotkeys/HotkeyDispatcher.h"
#include "hotkeys/HotkeyPoller.h"
#include "hotkeys/HotkeyRows.h"
#include "hotkeys/X11KeyboardState.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

using namespace quillotap;

namespace {

class CountingActions : public HotkeyActions {
public:
    bool isRecordingActive() const override { return false; }
    bool isPlayerActive() const override { return false; }
    bool isWindowVisible() const override { return true; }
    bool isIconMode() const override { return false; }
    void playStartCue() override { ++acted; }
    void playStopCue() override { ++acted; }
    void showRecorderPage() override {}
    void record() override {}
    void stop() override {}
    void setTrayRecording() override {}
    void stopPlayback() override {}
    void playNow() override {}
    void enterIconMode() override { ++acted; }
    void leaveIconMode() override { ++acted; }
    void soundVolumeUp() override { ++acted; }
    void soundVolumeDown() override { ++acted; }
    void toggleMute() override { ++acted; }
    int acted = 0;
};

// The real keyboard, counting the poller's ticks (one refresh per tick).
class CountingKeyboard : public KeyboardState {
public:
    CountingKeyboard(X11KeyboardState& inner, long& ticks) : inner_(inner), ticks_(ticks) {}
    void refresh() override {
        ++ticks_;
        inner_.refresh();
    }
    bool isKeyDown(int virtualKey) const override { return inner_.isKeyDown(virtualKey); }
    int wakeDescriptor() const override { return inner_.wakeDescriptor(); }
    bool takeKeyEvents() override { return inner_.takeKeyEvents(); }
    bool anyKeyDown() const override { return inner_.anyKeyDown(); }

private:
    X11KeyboardState& inner_;
    long& ticks_;
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Figure {
    double cpuPercent;
    double wallSeconds;
};

// Runs the event loop for `seconds` and measures the CPU it used.
Figure measure(QApplication& app, int seconds) {
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    app.exec();
    const double wallSeconds = double(wall.nsecsElapsed()) / 1e9;
    return {100.0 * (cpuSeconds() - cpu0) / wallSeconds, wallSeconds};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    auto keyboard = X11KeyboardState::open();
    if (!keyboard) {
        std::fprintf(stderr, "no X display (set DISPLAY, e.g. under Xvfb)\n");
        return 1;
    }

    // Reference: an empty timer at the poll interval.
    long emptyTicks = 0;
    Figure reference{};
    {
        QTimer empty;
        empty.setInterval(HotkeyPoller::kTickIntervalMs);
        empty.setTimerType(Qt::CoarseTimer);
        QObject::connect(&empty, &QTimer::timeout, [&] { ++emptyTicks; });
        empty.start();
        reference = measure(app, seconds);
    }

    // The poller on the real keyboard, reading a seven-row hotkey list.
    QTreeWidget list;
    list.setColumnCount(3);
    const char* codes[] = {"CA+R", "CA+S", "CA+Up", "CA+Down", "CA+M", "CA+P", "CA+I"};
    for (const char* code : codes) {
        auto* item = new QTreeWidgetItem(&list);
        item->setData(0, Qt::UserRole, QString::fromLatin1(code));
        item->setText(2, QStringLiteral("Enabled"));
    }
    TreeWidgetHotkeyRows rows(&list);
    CountingActions actions;
    long pollerTicks = 0;
    CountingKeyboard counting(*keyboard, pollerTicks);
    HotkeyDispatcher dispatcher(actions);
    HotkeyPoller poller(counting, rows);
    QObject::connect(&poller, &HotkeyPoller::pressed, &dispatcher, &HotkeyDispatcher::press);
    QObject::connect(&poller, &HotkeyPoller::released, &dispatcher, &HotkeyDispatcher::release);
    poller.start();
    const Figure polling = measure(app, seconds);

    std::printf("hotkey poller, idle, X11 keyboard (%s), %d ms interval, %.1f s\n",
                keyboard->wakeDescriptor() >= 0 ? "woken by key events" : "polled",
                HotkeyPoller::kTickIntervalMs, polling.wallSeconds);
    std::printf("  poller:          %6.3f %% of one core, %.0f ticks/s, %d actions\n",
                polling.cpuPercent, double(pollerTicks) / polling.wallSeconds, actions.acted);
    std::printf("  empty timer ref: %6.3f %% of one core, %.0f ticks/s\n", reference.cpuPercent,
                double(emptyTicks) / reference.wallSeconds);
    if (reference.cpuPercent > 0)
        std::printf("  ratio poller / empty timer: %.2f\n",
                    polling.cpuPercent / reference.cpuPercent);
    return 0;
}
