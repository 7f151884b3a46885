// CPU cost of the input display: the main window on the synthetic sound back
// end at real speed, first with the preview off, then with the preview on
// and the input display on its busiest preset. Both phases run for the same
// wall time; the figure is the difference in percent of one CPU core.
//
//   bench_preview [--seconds N] [--preset N] [--refresh HZ]
//
// The display repaints when a block arrives (ten times a second); --refresh
// also asks it to repaint HZ times a second during both phases, as a display
// animated at the screen's refresh would (default 60, 0 for none).
//
// Prints "RESULT key value" lines for bench/preview-bench.sh. Runs on the
// platform QT_QPA_PLATFORM names (offscreen when unset).
#include "BenchAccount.h"
#include "app/FormMain.h"
#include "audio/AudioVisualizationEx2.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

using namespace quillotap;

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct Phase {
    double cpuPercent;
    double paintsPerSecond;
};

Phase run(int seconds, PaintCounter& counter) {
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    counter.paints = 0;
    QElapsedTimer wall;
    wall.start();
    const double cpu = cpuSeconds();
    loop.exec();
    const double elapsed = double(wall.elapsed()) / 1000.0;
    return {100.0 * (cpuSeconds() - cpu) / elapsed, counter.paints / elapsed};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QUILLOTAP_AUDIO", "synthetic");
    qputenv("QUILLOTAP_AUDIO_SPEED", "1");
    QTemporaryDir home;
    if (!bench::UsePrivateAccount(home))
        return 1;

    QApplication app(argc, argv);
    int seconds = 10;
    int preset = 11;
    int refresh = 60;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--seconds"))
            seconds = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--preset"))
            preset = std::clamp(args[i + 1].toInt(), 1, 12);
        else if (args[i] == QLatin1String("--refresh"))
            refresh = std::clamp(args[i + 1].toInt(), 0, 240);
    }

    FormMain form;
    if (!form.StartUp({QStringLiteral("quillotap")})) {
        std::fprintf(stderr, "the main window did not start\n");
        return 1;
    }
    form.show();
    auto* pane = form.control<AudioVisualizationEx2>(QStringLiteral("AudioVisualization21"));
    auto* preview = form.control<QCheckBox>(QStringLiteral("CheckPreview"));
    auto* item = form.control<QAction>(QStringLiteral("ps%1a").arg(preset));
    if (!pane || !preview || !item) {
        std::fprintf(stderr, "the input display or its controls are missing\n");
        return 1;
    }
    PaintCounter counter;
    pane->installEventFilter(&counter);
    item->trigger();
    QTimer frames;
    QObject::connect(&frames, &QTimer::timeout, pane, [pane] { pane->update(); });
    frames.setTimerType(Qt::PreciseTimer);
    if (refresh > 0)
        frames.start(1000 / refresh);

    preview->setChecked(false);
    run(1, counter); // settle
    const Phase off = run(seconds, counter);
    preview->setChecked(true);
    run(1, counter);
    const Phase on = run(seconds, counter);
    preview->setChecked(false);

    std::printf("RESULT platform %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("RESULT preset %d\n", preset);
    std::printf("RESULT seconds %d\n", seconds);
    std::printf("RESULT refresh %d\n", refresh);
    std::printf("RESULT cpu_off %.2f\n", off.cpuPercent);
    std::printf("RESULT cpu_on %.2f\n", on.cpuPercent);
    std::printf("RESULT paints_per_second %.1f\n", on.paintsPerSecond);
    std::printf("RESULT preview_cost %.2f\n", on.cpuPercent - off.cpuPercent);
    form.close();
    return 0;
}
