// Recording costs, measured on the real recording path (session, monitor
// ticks and an input display pane fed with the preview on):
//
//   --mode cpu     CPU seconds per minute of audio while recording MP3
//                  128 kbit/s stereo 44.1 kHz from the PulseAudio server in
//                  PULSE_SERVER, against `parecord | lame -b 128` on the same
//                  server for the same wall time.
//                  Options: --seconds N (audio per run, default 20).
//   --mode memory  resident memory before and after a long recording on the
//                  synthetic back end at high speed.
//                  Options: --hours H (default 2), --speed N (default 300),
//                  --format WAV|MP3|OGG|WMA|VOX (default WAV).
//
// Prints "RESULT key value" lines, which bench/recording-bench.sh turns into
// a table.
#include "audio/AudioFile.h"
#include "audio/AudioRecord.h"
#include "audio/AudioVisualizationEx2.h"
#include "audio/MP3Lame.h"
#include "audio/backends/PulseBackend.h"
#include "audio/backends/SyntheticBackend.h"
#include "formats/Mp3Settings.h"
#include "recording/FormatElapsed.h"
#include "recording/RecordingMonitor.h"
#include "recording/RecordingSession.h"
#include "recording/RecordingView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillotap;

namespace {

double cpuSeconds(int who) {
    rusage u{};
    getrusage(who, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Resident set size in kilobytes.
long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

qint64 decodedFrames(const QString& path, int* rate = nullptr) {
    AudioFile f;
    f.OpenForReading(path);
    if (f.GetStatus() < 0)
        return 0;
    if (rate)
        *rate = f.GetSampleRate();
    return f.GetLength();
}

// Processes events until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition, qint64 timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    QTimer wake; // so that the wait below also ends without audio events
    wake.start(100);
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        // Sleeps until something happens instead of spinning.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The recorder page without a window: a real display pane that is fed but
// never shown, and the preview ticked.
class BenchView : public RecordingView {
public:
    RecordingSession* session = nullptr;
    AudioVisualizationEx2 pane;
    QString timeText;
    QString formatText = QStringLiteral("MP3");
    QStringList errors;

    QString selectedFormatText() const override { return formatText; }
    void setControlsEnabled(std::span<const RecordingControl>, bool) override {}
    void setPlayNowEnabled(bool) override {}
    void setStatusText(const QString&) override {}
    void setSaveFileText(const QString&) override {}
    void setTimeText(const QString& text) override { timeText = text; }
    void setSizeText(const QString&) override {}
    bool isPreviewChecked() const override { return true; }
    void runPreviewClick() override {
        AudioRecord& r = session->recorder();
        const int rate = session->writer().GetSampleRate();
        const int channels = session->writer().GetChannels();
        r.SetFormat(rate, channels);
        r.SetBufferSize(r.GetBufferSize(1000));
        pane.SetFormat(rate, channels);
        r.Start();
    }
    void setDisplayFormat(int rate, int channels) override { pane.SetFormat(rate, channels); }
    void setDisplaySamples(const SampleBlock& block) override { pane.SetSamples(block); }
    void showReadyInIconMode() override {}
    int inputVolumeTrackHeight() const override { return 100; }
    void placeInputVolumeKnob(int) override {}
    void showError(const QString& text) override { errors << text; }
    void showStopReason(const QString& text) override { errors << text; }
};

struct Rig {
    ID3Defaults id3;
    BenchView view;
    std::unique_ptr<RecordingSession> session;
    std::unique_ptr<RecordingMonitor> monitor;

    Rig(std::shared_ptr<SoundBackend> backend, const QString& folder) {
        id3.Year = QStringLiteral("2026");
        session = std::make_unique<RecordingSession>(view, id3, RecordingSession::Clock{},
                                                     std::move(backend));
        AudioFile& writer = session->writer();
        writer.SetMP3Encoder(MP3Lame{}); // 128 kbit/s stereo 44.1 kHz
        writer.SetOGGFormat(44100, 2, 128, 0, 0, -1);
        writer.SetWAVFormat(44100, 2, 16);
        session->setOutputFolder(folder + QLatin1Char('/'));
        monitor = std::make_unique<RecordingMonitor>(view, *session);
        view.session = session.get();
    }

    // Records until the monitor shows `seconds` of audio; false on failure.
    bool record(qint64 seconds) {
        view.timeText.clear();
        session->start();
        if (!session->isRecording())
            return false;
        const QString target = FormatElapsed(double(seconds));
        const bool reached =
            waitFor([&] { return view.timeText >= target || !session->isRecording(); },
                    seconds * 1000 * 10 + 60000);
        session->stop();
        return reached && view.errors.isEmpty();
    }
};

// Runs `parecord | lame` for `wallMs` milliseconds; returns the CPU seconds
// both used and puts the audio seconds of the result into *audioSeconds.
double referencePipeline(const QString& output, qint64 wallMs, double* audioSeconds) {
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const double before = cpuSeconds(RUSAGE_CHILDREN);
    const pid_t recorder = fork();
    if (recorder == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        close(fds[1]);
        execlp("parecord", "parecord", "--raw", "--format=s16le", "--rate=44100", "--channels=2",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    const QByteArray out = QFile::encodeName(output);
    const pid_t encoder = fork();
    if (encoder == 0) {
        dup2(fds[0], 0);
        close(fds[0]);
        close(fds[1]);
        const int quiet = open("/dev/null", O_WRONLY); // lame warns about raw input
        dup2(quiet, 2);
        execlp("lame", "lame", "--quiet", "-r", "-s", "44.1", "--bitwidth", "16", "--signed",
               "--little-endian", "-m", "s", "-b", "128", "-q", "5", "-", out.constData(),
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[0]);
    close(fds[1]);
    usleep(useconds_t(wallMs * 1000));
    kill(recorder, SIGTERM);
    waitpid(recorder, nullptr, 0);
    waitpid(encoder, nullptr, 0);
    int rate = 44100;
    *audioSeconds = double(decodedFrames(output, &rate)) / rate;
    return cpuSeconds(RUSAGE_CHILDREN) - before;
}

int runCpu(qint64 seconds, const QString& folder) {
    auto pulse = std::make_shared<PulseBackend>();
    if (!pulse->isConnected()) {
        std::fprintf(stderr, "no PulseAudio server: %s\n", qPrintable(pulse->lastError()));
        return 1;
    }
    Rig rig(pulse, folder);
    // The preview runs before and after, as a user would have it.
    rig.view.runPreviewClick();
    QElapsedTimer wall;
    wall.start();
    const double before = cpuSeconds(RUSAGE_SELF);
    if (!rig.record(seconds)) {
        std::fprintf(stderr, "recording failed: %s\n", qPrintable(rig.view.errors.join('\n')));
        return 1;
    }
    const double ours = cpuSeconds(RUSAGE_SELF) - before;
    const qint64 wallMs = wall.elapsed();
    rig.session->stopCapture();
    int rate = 44100;
    const double ourAudio = double(decodedFrames(rig.session->outputFilePath(), &rate)) / rate;

    double refAudio = 0;
    const double ref =
        referencePipeline(folder + QStringLiteral("/reference.mp3"), wallMs, &refAudio);
    if (ref < 0 || refAudio <= 0) {
        std::fprintf(stderr, "the reference pipeline produced nothing\n");
        return 1;
    }
    std::printf("RESULT wall_seconds %.2f\n", double(wallMs) / 1000);
    std::printf("RESULT ours_cpu_seconds %.3f\n", ours);
    std::printf("RESULT ours_audio_seconds %.2f\n", ourAudio);
    std::printf("RESULT ref_cpu_seconds %.3f\n", ref);
    std::printf("RESULT ref_audio_seconds %.2f\n", refAudio);
    const double oursPerMinute = ours / ourAudio * 60;
    const double refPerMinute = ref / refAudio * 60;
    std::printf("RESULT ours_cpu_per_audio_minute %.3f\n", oursPerMinute);
    std::printf("RESULT ref_cpu_per_audio_minute %.3f\n", refPerMinute);
    std::printf("RESULT cpu_ratio %.2f\n", oursPerMinute / refPerMinute);
    return 0;
}

int runMemory(double hours, double speed, const QString& format, const QString& folder) {
    auto synthetic = std::make_shared<SyntheticBackend>();
    synthetic->setSpeed(speed);
    Rig rig(synthetic, folder);
    rig.view.formatText = format;
    // A short warm-up recording first, so that everything allocated once
    // (encoder tables, the pane's buffers) is in the baseline.
    if (!rig.record(10))
        return 1;
    QFile::remove(rig.session->outputFilePath());
    rig.view.runPreviewClick();
    QCoreApplication::processEvents();
    malloc_trim(0);
    const long before = residentKb();

    QElapsedTimer wall;
    wall.start();
    long peak = before;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] { peak = std::max(peak, residentKb()); });
    sampler.start(500);
    const bool ok = rig.record(qint64(hours * 3600));
    sampler.stop();
    QCoreApplication::processEvents();
    malloc_trim(0);
    const long after = residentKb();
    int rate = 44100;
    const double audio = double(decodedFrames(rig.session->outputFilePath(), &rate)) / rate;
    QFile::remove(rig.session->outputFilePath());
    rig.session->stopCapture();
    if (!ok) {
        std::fprintf(stderr, "recording failed: %s\n", qPrintable(rig.view.errors.join('\n')));
        return 1;
    }
    std::printf("RESULT format %s\n", qPrintable(format));
    std::printf("RESULT audio_hours %.3f\n", audio / 3600);
    std::printf("RESULT wall_seconds %.1f\n", double(wall.elapsed()) / 1000);
    std::printf("RESULT rss_before_kb %ld\n", before);
    std::printf("RESULT rss_after_kb %ld\n", after);
    std::printf("RESULT rss_peak_kb %ld\n", peak);
    std::printf("RESULT rss_growth_kb %ld\n", after - before);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&](const char* name, const QString& fallback) {
        const int i = int(args.indexOf(QString::fromLatin1(name)));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
    };
    const QString mode = option("--mode", QStringLiteral("cpu"));
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    if (mode == QStringLiteral("cpu"))
        return runCpu(option("--seconds", QStringLiteral("20")).toLongLong(), dir.path());
    if (mode == QStringLiteral("memory"))
        return runMemory(option("--hours", QStringLiteral("2")).toDouble(),
                         option("--speed", QStringLiteral("300")).toDouble(),
                         option("--format", QStringLiteral("WAV")), dir.path());
    std::fprintf(stderr, "usage: bench_recording --mode cpu|memory [options]\n");
    return 2;
}
