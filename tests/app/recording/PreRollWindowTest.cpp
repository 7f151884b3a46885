// How recordings begin, through the window: the options for the seconds
// kept before a start and for sound-activated recording, read back within
// their ranges (their place in the settings file is checked with all the
// others at start-up); a hotkey start with its cue that holds the seconds before the key;
// and a hotkey that arms and disarms sound-activated recording.
#include "../AppFixture.h"

#include "formats/FormatCatalogue.h"
#include "hotkeys/ScriptedKeyboardState.h"
#include "recording/RecordingSession.h"

#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>

namespace quillotap::test {
namespace {

constexpr int VkCtrl = 17;
constexpr int VkAlt = 18;
constexpr int VkR = 'R';
constexpr int VkS = 'S';

class PreRollWindowTest : public FastAppFixture {
protected:
    // The window with a scripted keyboard and a hand-ticked poller. A cue
    // holds the window's thread while the synthetic clock runs on for its
    // time, as a real cue would; the clock stops again afterwards.
    FormMain& startWindow() {
        FormMainServices services = handDrivenServices(&keys_);
        services.cueWait = [this](int ms) {
            const qint64 from = backend_->capturedFrames();
            backend_->setPaused(false);
            const QDeadlineTimer deadline(10000);
            while (backend_->capturedFrames() - from < qint64(ms) * 44100 / 1000 &&
                   !deadline.hasExpired())
                QThread::msleep(1);
            cueEnd_ = pauseClock();
        };
        FormMain& f = start(std::move(services));
        EXPECT_TRUE(started_);
        return f;
    }

    // Stops the synthetic clock and returns the frames produced by then.
    qint64 pauseClock() {
        backend_->setPaused(true);
        qint64 last = -1;
        // A production round already under way still finishes.
        for (int round = 0; round < 500; ++round) {
            QThread::msleep(20);
            const qint64 now = backend_->capturedFrames();
            if (now == last)
                break;
            last = now;
        }
        return last;
    }
    void runClockUntil(qint64 frames) {
        backend_->setPaused(false);
        ASSERT_TRUE(WaitFor([&] { return backend_->capturedFrames() >= frames; }));
    }

    void provideCueFiles() {
        form().cueSounds().setAppFolder(cueFolder_.path() + "/");
        QFile f(cueFolder_.path() + "/start.wav");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not really a sound");
    }

    // Presses and releases a hotkey; returns the row that acted.
    int hotkey(int key) {
        keys_->press({VkCtrl, VkAlt, key});
        const int row = form().hotkeys().tick();
        keys_->releaseAll();
        form().hotkeys().pauseElapsed();
        form().hotkeys().tick();
        return row;
    }

    QString status() { return form().frame().statusLabel()->text(); }

    void TearDown() override {
        backend_->setPaused(false);
        FastAppFixture::TearDown();
    }

    ScriptedKeyboardState* keys_ = nullptr;
    QTemporaryDir cueFolder_;
    qint64 cueEnd_ = 0;
};

TEST_F(PreRollWindowTest, OptionsAreReadBackWithinTheirRangesAndThePreRollOpensTheInput) {
    installSettings("\"PreRollSeconds\"=\"31\"\n\"StartOnSound\"=\"Yes\"\n"
                    "\"SilenceSeconds\"=\"7\"\n\"SoundThreshold\"=\"0\"\n");
    start();
    auto* preRoll = control<QSpinBox>("SpinPreRoll");
    auto* onSound = control<QCheckBox>("CheckSoundStart");
    auto* silence = control<QSpinBox>("SpinSilence");
    auto* threshold = control<QSlider>("SliderThreshold");
    EXPECT_EQ(preRoll->value(), 0) << "31 s is out of range: off";
    EXPECT_TRUE(onSound->isChecked());
    EXPECT_EQ(silence->value(), 7);
    EXPECT_EQ(threshold->value(), 10) << "0 % is out of range: the default";
    EXPECT_FALSE(form().recordingSession().recorder().IsRunning())
        << "no preview, no pre-roll: input closed";

    form().pageMenu().onMenuButtonClicked(MainFrame::OptionsPage);
    preRoll->setValue(30);
    EXPECT_TRUE(form().recordingSession().recorder().IsRunning())
        << "the pre-roll keeps the input open";
    auto* level = control<QProgressBar>("BarInputLevel");
    EXPECT_TRUE(WaitFor([&] { return level->value() >= 45; }))
        << "the 440 Hz sine at half scale shows on the level bar: " << level->value();
    onSound->setChecked(false);
    EXPECT_FALSE(silence->isEnabled());
    EXPECT_FALSE(threshold->isEnabled());
    silence->setValue(12);
    threshold->setValue(25);

    restart();
    EXPECT_EQ(control<QSpinBox>("SpinPreRoll")->value(), 30);
    EXPECT_FALSE(control<QCheckBox>("CheckSoundStart")->isChecked());
    EXPECT_EQ(control<QSpinBox>("SpinSilence")->value(), 12);
    EXPECT_EQ(control<QSlider>("SliderThreshold")->value(), 25);
    EXPECT_TRUE(form().recordingSession().recorder().IsRunning())
        << "the stored pre-roll opens the input";
    EXPECT_LE(form().recordingSession().preRollStorageBytes(), 30 * 44100 * 2 * 2);

    control<QSpinBox>("SpinPreRoll")->setValue(0);
    EXPECT_FALSE(form().recordingSession().recorder().IsRunning()) << "off again: the input closes";
}

TEST_F(PreRollWindowTest, HotkeyStartHoldsTheSecondsBeforeTheKeyButNotTheCue) {
    useDevices("Mic:Counter");
    startWindow();
    provideCueFiles();
    control<QComboBox>("ComboFormat")->setCurrentIndex(FormatWAV);
    const qint64 base = backend_->capturedFrames(); // the counter starts with the input
    control<QSpinBox>("SpinPreRoll")->setValue(5);
    ASSERT_TRUE(form().recordingSession().recorder().IsRunning());
    ASSERT_EQ(form().recordingSession().recorder().GetSampleRate(), 44100);
    ASSERT_EQ(form().recordingSession().recorder().GetChannels(), 2);
    runClockUntil(base + 7 * 44100);
    const qint64 atKey = pauseClock() - base;
    QCoreApplication::processEvents();

    ASSERT_EQ(hotkey(VkR), 1);
    ASSERT_TRUE(form().recordingSession().isRecording())
        << (messages_.empty() ? "" : messages_[0].text.toStdString());
    const qint64 afterCue = cueEnd_ - base;
    EXPECT_GE(afterCue - atKey, 44100) << "the cue took its second";
    runClockUntil(cueEnd_ + 2 * 44100);
    const qint64 atStop = pauseClock() - base;
    ASSERT_EQ(hotkey(VkS), 2);
    ASSERT_FALSE(form().recordingSession().isRecording());

    AudioFile file;
    file.OpenForReading(form().recordingSession().outputFilePath());
    ASSERT_GE(file.GetStatus(), 0);
    ASSERT_EQ(file.GetLength(), 5 * 44100 + (atStop - afterCue));
    // Frame by frame: the 5 s before the key, then from the end of the cue.
    qint64 frame = 0;
    for (SampleBlock b = file.ReadSamples(65536); !b.empty(); b = file.ReadSamples(65536)) {
        for (size_t i = 0; i < b.size(); i += 2, ++frame) {
            const qint64 source =
                frame < 5 * 44100 ? atKey - 5 * 44100 + frame : afterCue + frame - 5 * 44100;
            ASSERT_EQ(b[i], int16_t(uint16_t(2 * source))) << "frame " << frame;
            ASSERT_EQ(b[i + 1], int16_t(uint16_t(2 * source + 1))) << "frame " << frame;
        }
    }
}

TEST_F(PreRollWindowTest, HotkeysArmAndDisarmSoundActivatedRecording) {
    useDevices("Mic:Bursts 1/3.5");
    startWindow();
    form().cueSounds().setStartCueOn(false); // the cue would stop the clock
    form().pageMenu().onMenuButtonClicked(MainFrame::OptionsPage);
    control<QCheckBox>("CheckSoundStart")->setChecked(true);
    control<QSpinBox>("SpinSilence")->setValue(1);
    control<QSpinBox>("SpinPreRoll")->setValue(1);
    int started = 0;
    QObject::connect(&form().recordingSession(), &RecordingSession::recordingStarted,
                     [&] { ++started; });

    ASSERT_EQ(hotkey(VkR), 1);
    EXPECT_EQ(status(), "Waiting for sound");
    EXPECT_FALSE(control<QPushButton>("CmdRecord")->isEnabled());
    EXPECT_EQ(hotkey(VkR), 0) << "armed counts as recording for the start key";
    ASSERT_TRUE(WaitFor([&] { return started == 1 && !form().recordingSession().isRecording(); }));
    EXPECT_EQ(status(), "Waiting for sound");
    AudioFile burst; // the pre-roll, the burst and the silence after it
    burst.OpenForReading(form().recordingSession().outputFilePath());
    EXPECT_GE(burst.GetLength(), 3 * 44100);

    EXPECT_EQ(hotkey(VkS), 2) << "the stop key disarms";
    EXPECT_FALSE(form().recordingSession().isArmed());
    EXPECT_EQ(status(), "Ready to record");
    EXPECT_TRUE(control<QPushButton>("CmdRecord")->isEnabled());
    EXPECT_EQ(QDir(documents_ + "/Quillotap").entryList(QDir::Files).size(), 1);
}

} // namespace
} // namespace quillotap::test
