// The synthetic back end's device table syntax, its environment form and
// the choice of the process-wide back end.
#include "audio/backends/SyntheticBackend.h"
#include "audio/SoundBackend.h"

#include <gtest/gtest.h>

namespace quillotap {
namespace {

// "name/valid/lines", lines as "name:signal:vol:bal:volume:balance", with
// the selected line marked by a leading '*'.
QString describe(const std::vector<SyntheticDevice>& devices) {
    QStringList out;
    for (const SyntheticDevice& d : devices) {
        QStringList lines;
        for (size_t i = 0; i < d.lines.size(); ++i) {
            const SyntheticLine& l = d.lines[i];
            lines << QStringLiteral("%1%2:%3:%4:%5:%6:%7")
                         .arg(int(i) == d.selectedLine ? "*" : "", l.name)
                         .arg(int(l.signal))
                         .arg(l.hasVolume ? "v" : "-", l.hasBalance ? "b" : "-")
                         .arg(l.volume)
                         .arg(l.balance);
        }
        out << QStringLiteral("%1/%2/%3").arg(d.name, d.valid ? "ok" : "bad", lines.join(','));
    }
    return out.join(' ');
}

TEST(SyntheticDeviceTable, Parses) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"Mic:Sine 440 Hz|Silence", "Mic/ok/*Sine 440 Hz:0:v:b:65535:50,Silence:1:v:b:65535:50"},
        {"Broken!", "Broken/bad/*Sine 440 Hz:0:v:b:65535:50,Silence:1:v:b:65535:50,"
                    "Noise:2:v:b:65535:50"},
        {"Empty:", "Empty/ok/"},
        {"A:Counter#novolume#nobalance|Noise#selected#volume=100#balance=0",
         "A/ok/Counter:3:-:-:65535:50,*Noise:2:v:b:100:0"},
        {"Mic:Line;;Other!:", "Mic/ok/*Line:0:v:b:65535:50 Other/bad/"},
    };
    for (const Case& c : cases) {
        QString error;
        const auto devices = SyntheticBackend::parseDevices(QString::fromUtf8(c.text), &error);
        EXPECT_EQ(describe(devices), QString::fromUtf8(c.expected)) << c.text;
        EXPECT_TRUE(error.isEmpty()) << c.text;
    }
}

TEST(SyntheticDeviceTable, RefusesBadTextWithAReason) {
    for (const char* text :
         {"Mic:Line#loud", "Mic:Line#volume=70000", "Mic:Line#balance=x", ":Sine 440 Hz", "!"}) {
        QString error;
        EXPECT_TRUE(SyntheticBackend::parseDevices(QString::fromUtf8(text), &error).empty())
            << text;
        EXPECT_FALSE(error.isEmpty()) << text;
    }
}

TEST(SyntheticDeviceTable, SineFrequencyFollowsTheName) {
    const auto devices = SyntheticBackend::parseDevices(QStringLiteral("M:Sine 1000 Hz|Other"));
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_DOUBLE_EQ(devices[0].lines[0].frequency, 1000.0);
    EXPECT_DOUBLE_EQ(devices[0].lines[1].frequency, 440.0);
}

class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(SyntheticEnvironment, ConfiguresTableDefaultSpeedAndFailures) {
    ScopedEnv devices("QUILLOTAP_SYNTHETIC_DEVICES", "Mic:Silence;Broken!;Empty:");
    ScopedEnv fallback("QUILLOTAP_SYNTHETIC_DEFAULT", "9");
    ScopedEnv speed("QUILLOTAP_AUDIO_SPEED", "25");
    ScopedEnv fail("QUILLOTAP_SYNTHETIC_FAIL", "capture");
    const auto backend = SyntheticBackend::fromEnvironment();
    EXPECT_EQ(backend->deviceCount(), 3);
    EXPECT_EQ(backend->defaultDevice(), 9);
    EXPECT_DOUBLE_EQ(backend->speed(), 25.0);
    EXPECT_FALSE(backend->deviceValid(1));
    EXPECT_EQ(backend->lineCount(2), 0);
    QString error;
    EXPECT_EQ(backend->openCapture(
                  0, 44100, 2, [](const int16_t*, std::size_t) {}, {}, &error),
              nullptr);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_NE(backend->openPlayback(
                  44100, 2, [](int16_t*, std::size_t) { return std::size_t(0); }, {}, &error),
              nullptr);
}

TEST(SyntheticEnvironment, AnUnreadableTableKeepsTheStandardDevice) {
    ScopedEnv devices("QUILLOTAP_SYNTHETIC_DEVICES", "Mic:Line#bogus");
    const auto backend = SyntheticBackend::fromEnvironment();
    ASSERT_EQ(backend->deviceCount(), 1);
    EXPECT_EQ(backend->deviceName(0), QStringLiteral("Test signal"));
    EXPECT_EQ(backend->lineCount(0), 3);
}

TEST(SoundBackendChoice, TestsRunOnTheSyntheticBackEnd) {
    // The test main selects it; the real program defaults to PulseAudio.
    EXPECT_EQ(SoundBackend::instance()->name(), QStringLiteral("synthetic"));
    EXPECT_EQ(SoundBackend::instance(), SoundBackend::instance());
}

} // namespace
} // namespace quillotap
