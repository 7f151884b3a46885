// Two figures of the pre-roll and of sound-activated recording, on the main
// window with the synthetic sound back end:
//
//   bench_preroll --idle-cpu [--seconds N]
//     CPU of the idle window (hidden, preview off) with the pre-roll off and
//     then at 30 s, the same wall time each, at real speed; the cost is the
//     difference in percent of one CPU core.
//   bench_preroll --onset [--bursts N] [--pre-roll S]
//     Sound-activated recording of a signal with bursts of 1 s after pauses
//     of 3.5 s, accelerated; for each file, where its first sample lies
//     against its burst's onset (negative: before the onset).
//
// Prints "RESULT key value" lines for bench/preroll-bench.sh. The synthetic
// back end, its speed and its devices are taken from the environment, which
// the script sets.
#include "BenchAccount.h"
#include "app/FormMain.h"
#include "audio/AudioFile.h"
#include "formats/FormatCatalogue.h"
#include "recording/RecordingSession.h"
#include "settings/OutputFolderChooser.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
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

// Percent of one core the process used over `seconds` of wall time.
double cpuPercentOver(int seconds) {
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    wall.start();
    const double cpu = cpuSeconds();
    loop.exec();
    return 100.0 * (cpuSeconds() - cpu) / (double(wall.elapsed()) / 1000.0);
}

void waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer wall;
    wall.start();
    while (!done() && wall.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

int idleCpu(FormMain& form, int seconds) {
    auto* preRoll = form.control<QSpinBox>(QStringLiteral("SpinPreRoll"));
    preRoll->setValue(0);
    cpuPercentOver(1); // settle
    const double off = cpuPercentOver(seconds);
    preRoll->setValue(30);
    cpuPercentOver(1);
    const double on = cpuPercentOver(seconds);
    std::printf("RESULT seconds %d\n", seconds);
    std::printf("RESULT cpu_off %.2f\n", off);
    std::printf("RESULT cpu_on %.2f\n", on);
    std::printf("RESULT preroll_cost %.2f\n", on - off);
    std::printf("RESULT preroll_bytes %lld\n",
                static_cast<long long>(form.recordingSession().preRollStorageBytes()));
    return 0;
}

int onsets(FormMain& form, int bursts, int preRollSeconds) {
    form.control<QComboBox>(QStringLiteral("ComboFormat"))->setCurrentIndex(FormatWAV);
    form.control<QSpinBox>(QStringLiteral("SpinPreRoll"))->setValue(preRollSeconds);
    form.control<QCheckBox>(QStringLiteral("CheckSoundStart"))->setChecked(true);
    form.control<QSpinBox>(QStringLiteral("SpinSilence"))->setValue(1);
    int finished = 0;
    QObject::connect(&form.recordingSession(), &RecordingSession::recordingStopped,
                     [&finished] { ++finished; });
    form.control<QPushButton>(QStringLiteral("CmdRecord"))->click();
    waitUntil([&] { return finished >= bursts; }, 120000);
    form.control<QPushButton>(QStringLiteral("CmdStopRecord"))->click();

    const QDir folder(form.folderChooser().folder());
    double worst = -1e9;
    int files = 0;
    for (const QString& name : folder.entryList({QStringLiteral("*.wav")}, QDir::Files)) {
        AudioFile file;
        file.OpenForReading(folder.filePath(name));
        if (file.GetStatus() < 0)
            continue;
        const int channels = std::max(1, file.GetFrameWidth());
        qint64 lead = 0;
        bool found = false;
        for (SampleBlock b = file.ReadSamples(65536); !b.empty() && !found;
             b = file.ReadSamples(65536)) {
            for (std::size_t i = 0; i < b.size(); ++i) {
                if (b[i] != 0) {
                    lead += qint64(i) / channels;
                    found = true;
                    break;
                }
            }
            if (!found)
                lead += qint64(b.size()) / channels;
        }
        // The burst's onset is the first sound in the file: the file begins
        // `lead` frames before it.
        const double delay = -double(lead) / file.GetSampleRate();
        std::printf("RESULT file_%d_delay %.3f\n", files, delay);
        worst = std::max(worst, delay);
        ++files;
    }
    std::printf("RESULT files %d\n", files);
    std::printf("RESULT worst_delay %.3f\n", worst);
    return files == bursts ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QUILLOTAP_AUDIO", "synthetic");
    QTemporaryDir home;
    if (!bench::UsePrivateAccount(home))
        return 1;

    QApplication app(argc, argv);
    int seconds = 10;
    int bursts = 5;
    int preRoll = 2;
    bool onset = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == QLatin1String("--onset"))
            onset = true;
        else if (args[i] == QLatin1String("--seconds") && hasValue)
            seconds = std::max(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--bursts") && hasValue)
            bursts = std::clamp(args[++i].toInt(), 1, 100);
        else if (args[i] == QLatin1String("--pre-roll") && hasValue)
            preRoll = std::clamp(args[++i].toInt(), 0, 30);
    }

    FormMain form;
    if (!form.StartUp({QStringLiteral("quillotap")})) {
        std::fprintf(stderr, "the main window did not start\n");
        return 1;
    }
    form.control<QCheckBox>(QStringLiteral("CheckPreview"))->setChecked(false);
    const int result = onset ? onsets(form, bursts, preRoll) : idleCpu(form, seconds);
    form.close();
    return result;
}
