// A capture on a real PulseAudio server that loses its input: the source is
// unloaded, or the server goes away. Each test has a server of its own, as
// these tests take sources and servers away.
#include "EngineTestHelpers.h"

#include "audio/AudioRecord.h"
#include "audio/backends/PulseBackend.h"
#include "support/PrivatePulse.h"
#include "support/ToneAnalysis.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace quillotap {
namespace {

using test::waitFor;

// The recorder must notice a loss well within this time.
constexpr int kNoticeMs = 2000;

class PulseCaptureLossTest : public ::testing::Test {
protected:
    void SetUp() override {
        server = std::make_unique<test::PrivatePulse>();
        ASSERT_TRUE(server->ok()) << server->error().toStdString();
        backend = std::make_shared<PulseBackend>();
        ASSERT_TRUE(backend->isConnected()) << backend->lastError().toStdString();
        recorder = std::make_unique<AudioRecord>(backend);
        QObject::connect(recorder.get(), &AudioRecord::CaptureError,
                         [this](const QString& reason) { errors << reason; });
        QObject::connect(recorder.get(), &AudioRecord::EndArrayRecord, [this] {
            const SampleBlock b = recorder->GetRecordedBuffer();
            captured.insert(captured.end(), b.begin(), b.end());
            ++blocks;
        });
    }
    void TearDown() override {
        recorder.reset();
        backend.reset();
        server.reset();
    }

    // Loads one more sine source; returns its module index ("" on failure).
    QString loadSineSource(const QString& name, int frequency) {
        QString out;
        if (!server->pactl({QStringLiteral("load-module"), QStringLiteral("module-sine-source"),
                            QStringLiteral("source_name=") + name,
                            QStringLiteral("frequency=%1").arg(frequency)},
                           &out))
            return {};
        return out.trimmed();
    }

    // The device of the server source `name`, once the back end lists it.
    int deviceOf(const QString& name) {
        QString description;
        QString out;
        server->pactl({QStringLiteral("list"), QStringLiteral("sources")}, &out);
        bool inSource = false;
        for (const QString& line : out.split(QLatin1Char('\n'))) {
            const QString t = line.trimmed();
            if (t.startsWith(QLatin1String("Name: ")))
                inSource = t.mid(6) == name;
            else if (inSource && t.startsWith(QLatin1String("Description: ")))
                description = t.mid(13);
        }
        int device = -1;
        waitFor(
            [&] {
                for (int i = 0; i < backend->deviceCount(); ++i)
                    if (backend->deviceName(i) == description)
                        device = i;
                return device >= 0;
            },
            10000);
        return device;
    }

    // Records from `device` in blocks of a tenth of a second until some arrived.
    void startOn(int device) {
        recorder->SetDevice(device);
        recorder->SetFormat(8000, 1);
        recorder->SetBufferSize(800);
        recorder->Start();
        ASSERT_EQ(recorder->GetStatus(), 0) << recorder->GetErrorText().toStdString();
        ASSERT_TRUE(waitFor([&] { return blocks >= 3; }, 10000));
    }

    // The index of the one record stream the server has.
    QString sourceOutput() {
        QString out;
        server->pactl(
            {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("source-outputs")},
            &out);
        return out.section(QLatin1Char('\t'), 0, 0).trimmed();
    }

    // Milliseconds until the error arrived, or -1.
    qint64 waitForError() {
        QElapsedTimer clock;
        clock.start();
        if (!waitFor([&] { return !errors.isEmpty(); }, 10000))
            return -1;
        return clock.elapsed();
    }

    std::unique_ptr<test::PrivatePulse> server;
    std::shared_ptr<PulseBackend> backend;
    std::unique_ptr<AudioRecord> recorder;
    QStringList errors;
    SampleBlock captured;
    int blocks = 0;
};

TEST_F(PulseCaptureLossTest, UnloadingTheSourceEndsTheCaptureWithinTwoSeconds) {
    const QString module = loadSineSource(QStringLiteral("gone"), 880);
    ASSERT_FALSE(module.isEmpty());
    const int device = deviceOf(QStringLiteral("gone"));
    ASSERT_GE(device, 0);
    const QString description = backend->deviceName(device);
    startOn(device);

    // The server moves the stream to the default source ("sine", 440 Hz):
    // not one sample of it may be recorded.
    ASSERT_TRUE(server->pactl({QStringLiteral("unload-module"), module}));
    const qint64 ms = waitForError();
    ASSERT_GE(ms, 0) << "no CaptureError";
    EXPECT_LT(ms, kNoticeMs);
    EXPECT_FALSE(recorder->IsRunning());
    EXPECT_LT(recorder->GetStatus(), 0);
    EXPECT_EQ(errors,
              QStringList{QStringLiteral("The input \"%1\" was removed.").arg(description)});

    for (SampleBlock b = recorder->GetRecordedBuffer(); !b.empty();
         b = recorder->GetRecordedBuffer())
        captured.insert(captured.end(), b.begin(), b.end());
    ASSERT_GE(captured.size(), 2400u);
    EXPECT_NEAR(test::dominantFrequency(captured, 8000, 1), 880.0, 5.0);
}

TEST_F(PulseCaptureLossTest, AStreamMovedByHandGoesOnFromItsNewSource) {
    ASSERT_FALSE(loadSineSource(QStringLiteral("other"), 880).isEmpty());
    startOn(deviceOf(QStringLiteral("sine")));
    const QString stream = sourceOutput();
    ASSERT_FALSE(stream.isEmpty());
    ASSERT_TRUE(
        server->pactl({QStringLiteral("move-source-output"), stream, QStringLiteral("other")}));

    // A second of the new source's tone arrives, and nothing was reported.
    const size_t before = captured.size();
    ASSERT_TRUE(waitFor(
        [&] {
            if (captured.size() < before + 8000)
                return false;
            const SampleBlock last(captured.end() - 8000, captured.end());
            return std::abs(test::dominantFrequency(last, 8000, 1) - 880.0) < 5.0;
        },
        10000))
        << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(recorder->IsRunning());
    recorder->Stop();
}

TEST_F(PulseCaptureLossTest, AServerThatGoesAwayEndsTheCaptureWithinTwoSeconds) {
    startOn(deviceOf(QStringLiteral("sine")));
    ASSERT_TRUE(server->pactl({QStringLiteral("exit")}));
    const qint64 ms = waitForError();
    ASSERT_GE(ms, 0) << "no CaptureError";
    EXPECT_LT(ms, kNoticeMs);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(
        errors.front().startsWith(QStringLiteral("The connection to the sound server was lost")))
        << errors.front().toStdString();
    EXPECT_FALSE(recorder->IsRunning());
    EXPECT_GT(captured.size(), 0u);
}

} // namespace
} // namespace quillotap
