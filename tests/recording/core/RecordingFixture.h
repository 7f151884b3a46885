// A recorder page without widgets: a recording session with its real audio
// objects on the synthetic back end, a view that logs what the controls are
// told, the session's monitor, and a temporary output folder.
#pragma once

#include "audio/AudioFile.h"
#include "audio/AudioRecord.h"
#include "audio/backends/SyntheticBackend.h"
#include "formats/Mp3Settings.h"
#include "recording/RecordingMonitor.h"
#include "recording/RecordingSession.h"
#include "recording/RecordingView.h"
#include "settings/TempConfigHome.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace quillotap::test {

// Processes events until the condition holds; false after a generous timeout.
inline bool waitFor(const std::function<bool()>& condition, int timeoutMs = 60000) {
    return QTest::qWaitFor(condition, timeoutMs);
}

inline QString controlName(RecordingControl c) {
    static const char* const names[] = {"CmdRecord",   "PicMenu1",     "ComboFormat",
                                        "CmdSet",      "CheckPreview", "DeviceCombo",
                                        "ComboSource", "PicSlider3",   "PicSlider4"};
    return QString::fromLatin1(names[int(c)]);
}

// Logs every call as one line ("disable CmdRecord PicMenu1 ...", "status Recording").
class LoggingView : public RecordingView {
public:
    QString formatText = QStringLiteral("WAV");
    bool previewChecked = false;
    int trackHeight = 100;
    RecordingSession* session = nullptr;

    QStringList log;
    QString statusText = QStringLiteral("Ready to record");
    QString saveFileText, timeText, sizeText;
    bool playNowEnabled = true;
    int displayRate = 0, displayChannels = 0;
    int samplesShown = 0;
    SampleBlock lastShown;
    int knobPosition = -1;
    QStringList errors;
    QStringList stopReasons;

    QString selectedFormatText() const override { return formatText; }
    void setControlsEnabled(std::span<const RecordingControl> controls, bool enabled) override {
        QString line = enabled ? QStringLiteral("enable") : QStringLiteral("disable");
        for (RecordingControl c : controls)
            line += QLatin1Char(' ') + controlName(c);
        log << line;
    }
    void setPlayNowEnabled(bool enabled) override {
        playNowEnabled = enabled;
        log << (enabled ? QStringLiteral("playnow on") : QStringLiteral("playnow off"));
    }
    void setStatusText(const QString& text) override {
        statusText = text;
        log << QStringLiteral("status ") + text;
    }
    void setSaveFileText(const QString& text) override { saveFileText = text; }
    void setTimeText(const QString& text) override { timeText = text; }
    void setSizeText(const QString& text) override { sizeText = text; }
    bool isPreviewChecked() const override { return previewChecked; }
    // The preview check box's click handling of the recorder page.
    void runPreviewClick() override {
        log << QStringLiteral("preview click");
        if (!previewChecked) {
            session->stopCapture();
            return;
        }
        AudioRecord& r = session->recorder();
        const int rate = session->writer().GetSampleRate();
        const int channels = session->writer().GetChannels();
        r.SetFormat(rate, channels);
        r.SetBufferSize(r.GetBufferSize(1000));
        setDisplayFormat(rate, channels);
        r.Start();
    }
    void setDisplayFormat(int rate, int channels) override {
        displayRate = rate;
        displayChannels = channels;
    }
    void setDisplaySamples(const SampleBlock& block) override {
        ++samplesShown;
        lastShown = block;
    }
    void showReadyInIconMode() override { log << QStringLiteral("icon ready"); }
    int inputVolumeTrackHeight() const override { return trackHeight; }
    void placeInputVolumeKnob(int position) override { knobPosition = position; }
    void showError(const QString& text) override {
        errors << text;
        log << QStringLiteral("error");
    }
    void showStopReason(const QString& text) override {
        stopReasons << text;
        log << QStringLiteral("stop reason");
    }
};

class RecordingFixture : public TempConfigHome {
protected:
    void SetUp() override {
        TempConfigHome::SetUp();
        ASSERT_TRUE(outputDir.isValid());
        backend = std::make_shared<SyntheticBackend>();
        backend->setSpeed(40);
        id3 = LoadId3Defaults();
        makeSession(backend);
    }
    void TearDown() override {
        if (session)
            session->stopCapture();
        monitor.reset();
        session.reset();
        TempConfigHome::TearDown();
    }

    // Starts over on another sound back end.
    void useBackend(std::shared_ptr<SoundBackend> soundBackend) {
        monitor.reset();
        session.reset();
        makeSession(std::move(soundBackend));
    }

    void makeSession(std::shared_ptr<SoundBackend> soundBackend) {
        session = std::make_unique<RecordingSession>(
            view, id3, [this] { return now; }, std::move(soundBackend));
        session->writer().SetWAVFormat(44100, 2, 16);
        session->setOutputFolder(outputDir.path() + QLatin1Char('/'));
        QObject::connect(session.get(), &RecordingSession::recordingStopped,
                         [this] { ++filesFinished; });
        monitor = std::make_unique<RecordingMonitor>(view, *session);
        monitor->setLimits(limits);
        monitor->setVolumeKnobHeld([this] { return knobHeld; });
        view.session = session.get();
    }

    // Changes the start options as the options page does.
    void changeStartOptions(const std::function<void(RecordingStartOptions&)>& change) {
        RecordingStartOptions options = session->startOptions();
        change(options);
        session->setStartOptions(options);
    }

    // Records until the monitor shows `seconds` elapsed, then stops.
    void recordFor(int seconds) {
        view.timeText.clear();
        session->start();
        ASSERT_TRUE(session->isRecording()) << view.errors.join(QLatin1Char('\n')).toStdString();
        const QString target = QStringLiteral("00:00:%1").arg(seconds, 2, 10, QLatin1Char('0'));
        ASSERT_TRUE(waitFor([&] { return view.timeText >= target || !session->isRecording(); }));
        session->stop();
    }

    QStringList recordings() const {
        return QDir(outputDir.path()).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir outputDir;
    std::shared_ptr<SyntheticBackend> backend;
    RecordingLimitOptions limits;
    bool knobHeld = false; // the user holds the input-volume knob
    int filesFinished = 0; // recordingStopped signals
    ID3Defaults id3;
    LoggingView view;
    QDateTime now{QDate(2026, 12, 7), QTime(18, 15, 41)};
    std::unique_ptr<RecordingSession> session;
    std::unique_ptr<RecordingMonitor> monitor;
};

// Frames of a file and all its samples, decoded by the audio-file object.
struct Decoded {
    qint64 length = 0;
    int channels = 0;
    int rate = 0;
    SampleBlock samples;
};
inline Decoded decode(const QString& path) {
    AudioFile f;
    f.OpenForReading(path);
    Decoded d;
    if (f.GetStatus() < 0)
        return d;
    d.length = f.GetLength();
    d.channels = f.GetFrameWidth();
    d.rate = f.GetSampleRate();
    for (SampleBlock b = f.ReadSamples(65536); !b.empty(); b = f.ReadSamples(65536))
        d.samples.insert(d.samples.end(), b.begin(), b.end());
    f.CloseReader();
    return d;
}

// Index of the first element of a counter capture (element n is int16_t(n))
// that is wrong, or -1 when all follow on from 0 without a gap.
inline qint64 firstCounterMismatch(const SampleBlock& samples) {
    for (size_t i = 0; i < samples.size(); ++i)
        if (samples[i] != int16_t(uint16_t(i)))
            return qint64(i);
    return -1;
}

} // namespace quillotap::test
