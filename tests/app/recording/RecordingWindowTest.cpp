// The recorder page and the hotkeys of a started main window: a recording
// from the Record button or Ctrl+Alt+R to the finished file, the controls it
// locks, its limits, the format line, and the hotkey poller driven by a
// scripted keyboard.
#include "../AppFixture.h"
#include "audio/AudioInformation.h"
#include "files/FilesPage.h"

#include "audio/AudioVisualizationEx2.h"
#include "formats/FormatCatalogue.h"
#include "hotkeys/HotkeyTexts.h"
#include "hotkeys/ScriptedKeyboardState.h"
#include "recording/RecordingMonitor.h"
#include "ui/iconmode/FakeTrayIcon.h"
#include "widgets/PictureButton.h"
#include "widgets/PictureSlider.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

namespace quillotap::test {
namespace {

constexpr int VkCtrl = 17;
constexpr int VkAlt = 18;
constexpr int VkUp = 38;
constexpr int VkR = 'R';
constexpr int VkS = 'S';

const QDateTime FileTime{QDate(2026, 12, 7), QTime(18, 15, 41)};

const char* const LockedControls[] = {"CmdRecord",   "PicMenu1",     "ComboFormat",
                                      "CmdSet",      "CheckPreview", "DeviceCombo",
                                      "ComboSource", "PicSlider3",   "PicSlider4"};

// Notes every enabled-state change of the watched controls, in order.
class EnabledLog : public QObject {
public:
    void watch(QWidget* w) { w->installEventFilter(this); }
    QStringList changes;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange) {
            auto* w = static_cast<QWidget*>(watched);
            changes << (w->isEnabled() ? "+" : "-") + w->objectName();
        }
        return false;
    }
};

class RecordingWindowTest : public FastAppFixture {
protected:
    // The window with a scripted keyboard, a hand-ticked poller, cues that
    // only note their wait, and a fixed time for file names.
    FormMain& startWindow() {
        FormMainServices services = handDrivenServices(&keys_);
        services.cueWait = [this](int ms) {
            cues_ << QStringLiteral("%1 %2").arg(ms).arg(
                form().recordingSession().isRecording() ? "recording" : "idle");
        };
        services.recordingClock = [] { return FileTime; };
        FormMain& f = start(std::move(services));
        EXPECT_TRUE(started_);
        return f;
    }

    QString expectedFile() const { return documents_ + "/Quillotap/20261207-181541.mp3"; }

    // Waits until the file being written holds something.
    bool waitForData() {
        return WaitFor(
            [&] { return QFileInfo(form().recordingSession().outputFilePath()).size() > 0; });
    }

    void click(const char* button) { control<QPushButton>(button)->click(); }
    QString status() { return form().frame().statusLabel()->text(); }

    // Cue files the cues can find: their content does not matter here.
    void provideCueFiles() {
        form().cueSounds().setAppFolder(cueFolder_.path() + "/");
        for (const char* name : {"start.wav", "stop.wav"}) {
            QFile f(cueFolder_.path() + "/" + name);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("not really a sound");
        }
    }

    ScriptedKeyboardState* keys_ = nullptr;
    QStringList cues_;
    QTemporaryDir cueFolder_;
};

TEST_F(RecordingWindowTest, RecordAndStopLockTheControlsAndLeaveATaggedFile) {
    startWindow();
    EnabledLog log;
    for (const char* name : LockedControls)
        log.watch(control<QWidget>(name));

    click("CmdRecord");
    ASSERT_TRUE(form().recordingSession().isRecording());
    QStringList disabled;
    for (const char* name : LockedControls)
        disabled << QStringLiteral("-") + name;
    EXPECT_EQ(log.changes, disabled);
    EXPECT_FALSE(form().frame().menuButton(MainFrame::FilesPage)->isEnabled());
    EXPECT_EQ(status(), "Recording");
    EXPECT_EQ(control<QLabel>("LabelSaveFile")->text(), expectedFile());
    EXPECT_FALSE(control<QPushButton>("CmdPlayNow")->isEnabled());

    ASSERT_TRUE(waitForData());
    EXPECT_TRUE(WaitFor([&] { return control<QLabel>("LabelRTime")->text() != "00:00:00"; }));
    EXPECT_TRUE(control<QLabel>("LabelRSize")->text().endsWith(" KB"));

    // A second Record changes nothing while recording.
    log.changes.clear();
    form().recordingSession().start();
    EXPECT_TRUE(log.changes.isEmpty());
    EXPECT_EQ(form().recordingSession().outputFilePath(), expectedFile());

    click("CmdStopRecord");
    EXPECT_FALSE(form().recordingSession().isRecording());
    QStringList enabled;
    for (const char* name : LockedControls)
        enabled << QStringLiteral("+") + name;
    EXPECT_EQ(log.changes, enabled);
    EXPECT_EQ(status(), "Ready to record");
    EXPECT_TRUE(control<QLabel>("LabelRSize")->text().endsWith(" Kb"));
    EXPECT_TRUE(control<QPushButton>("CmdPlayNow")->isEnabled());
    EXPECT_TRUE(form().recordingsList().isStale());
    EXPECT_TRUE(messages_.empty());

    // The file is closed and readable, with its default tag.
    ASSERT_TRUE(QFileInfo::exists(expectedFile()));
    AudioFile file;
    file.OpenForReading(expectedFile());
    ASSERT_GE(file.GetStatus(), 0);
    EXPECT_GT(file.GetLength(), 0);
    file.CloseReader();
    AudioInformation tag;
    ASSERT_TRUE(tag.Open(expectedFile()));
    EXPECT_EQ(tag.Track, 1);

    // Stop while idle does nothing.
    log.changes.clear();
    form().filesPage().build();
    click("CmdStopRecord");
    EXPECT_TRUE(log.changes.isEmpty());
    EXPECT_FALSE(form().recordingsList().isStale());
}

TEST_F(RecordingWindowTest, PreviewRunsAgainAfterAStopOnlyWhenTicked) {
    startWindow();
    auto* preview = control<QCheckBox>("CheckPreview");
    for (bool ticked : {true, false}) {
        SCOPED_TRACE(ticked);
        preview->setChecked(ticked);
        EXPECT_EQ(form().recordingSession().recorder().IsRunning(), ticked);
        click("CmdRecord");
        ASSERT_TRUE(form().recordingSession().isRecording());
        click("CmdStopRecord");
        EXPECT_EQ(form().recordingSession().recorder().IsRunning(), ticked);
        EXPECT_EQ(status(), "Ready to record");
    }
}

TEST_F(RecordingWindowTest, TimeLimitStopsTheRecordingByItself) {
    startWindow();
    control<QLineEdit>("TextTime")->setText("2"); // raised to the lowest limit, 5 s
    EXPECT_EQ(form().optionBoxes().limits().maxTimeSeconds, 5);
    control<QCheckBox>("CheckTime")->setChecked(true);

    click("CmdRecord");
    ASSERT_TRUE(form().recordingSession().isRecording());
    ASSERT_TRUE(WaitFor([&] { return !form().recordingSession().isRecording(); }, 30000));
    EXPECT_EQ(form().recordingMonitor().lastLimit(), LimitReached::Time);
    EXPECT_GE(control<QLabel>("LabelRTime")->text(), "00:00:05");
    EXPECT_TRUE(control<QPushButton>("CmdRecord")->isEnabled());
    EXPECT_EQ(status(), "Ready to record");
    EXPECT_TRUE(QFileInfo::exists(expectedFile()));
}

TEST_F(RecordingWindowTest, WholeRecordingInEachFormatGetsItsExtension) {
    startWindow();
    auto* formats = control<QComboBox>("ComboFormat");
    auto* set = control<QPushButton>("CmdSet");
    auto* line = control<QLabel>("LabelFomartStr");

    formats->setCurrentIndex(FormatVOX);
    EXPECT_EQ(line->text(), "VOX Dialogic ADPCM 8,000 Hz; Mono; 4 bit");
    EXPECT_FALSE(set->isEnabled());
    // A recording in VOX keeps "Set" off when the controls come back.
    click("CmdRecord");
    ASSERT_TRUE(waitForData());
    click("CmdStopRecord");
    EXPECT_FALSE(set->isEnabled());
    EXPECT_TRUE(form().recordingSession().outputFilePath().endsWith("/20261207-181541.vox"));
    EXPECT_TRUE(QFileInfo(form().recordingSession().outputFilePath()).size() > 0);

    formats->setCurrentIndex(FormatWAV);
    EXPECT_TRUE(line->text().startsWith("WAV ")) << line->text().toStdString();
    EXPECT_TRUE(line->text().endsWith("; Stereo; 16 bit")) << line->text().toStdString();
    EXPECT_TRUE(set->isEnabled());

    formats->setCurrentIndex(FormatMP3);
    EXPECT_TRUE(line->text().startsWith(form().formatOptions().mp3Description));

    // "Set" opens the MP3 dialog with the hotkeys off; after Cancel the line
    // is refreshed and the hotkeys are back on.
    line->setText(QString());
    struct Seen {
        QString dialog;
        bool polling = true;
    };
    auto seen = std::make_shared<Seen>();
    QTimer::singleShot(0, &form(), [this, seen] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seen->dialog = dialog->objectName();
            seen->polling = form().hotkeys().isListening();
            dialog->reject();
        }
    });
    click("CmdSet");
    EXPECT_EQ(seen->dialog, "FormMP3");
    EXPECT_FALSE(seen->polling);
    EXPECT_TRUE(line->text().startsWith(form().formatOptions().mp3Description));
    EXPECT_TRUE(form().hotkeys().isListening());
}

TEST_F(RecordingWindowTest, LastFormatIsRestoredWhenTheListHasIt) {
    const struct {
        const char* stored;
        int selected;
    } cases[] = {{"3", FormatWAV}, {"4", FormatVOX},  {"5", FormatFLAC}, {"6", FormatOPUS},
                 {"7", FormatMP3}, {"-1", FormatMP3}, {"x", FormatMP3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        installSettings(QByteArray("\"LastFormat\"=\"") + c.stored + "\"\n");
        startWindow();
        EXPECT_EQ(control<QComboBox>("ComboFormat")->currentIndex(), c.selected);
        EXPECT_EQ(control<QPushButton>("CmdSet")->isEnabled(), c.selected != FormatVOX);
        form_.reset();
    }
}

// A FLAC or Opus recording from the window: the format line describes the
// stored options, the running figures move, and the finished file decodes and
// carries the default tag as Vorbis comments.
TEST_F(RecordingWindowTest, FlacAndOpusRecordingsCarryTheDefaultTag) {
    const struct {
        const char* index;
        const char* extension;
        const char* settings;
        const char* line;
        int rate;
    } cases[] = {
        {"5", "flac", "\"FLACLevel\"=\"8\"\n\"FLACBit\"=\"24\"\n",
         "FLAC 44,100 Hz; Stereo; 24 bit; Level 8", 44100},
        {"6", "opus", "\"OPUSBitrate\"=\"32\"\n\"OPUSMode\"=\"Voice\"\n",
         "OPUS 48,000 Hz; Stereo; 32 Kbps; Voice", 48000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        QDir(documents_ + "/Quillotap").removeRecursively();
        installSettings(QByteArray("\"LastFormat\"=\"") + c.index + "\"\n" + c.settings +
                        "\"ID3_Title\"=\"Morning take\"\n\"ID3_Genre\"=\"8\"\n"
                        "\"ID3_Year\"=\"2026\"\n\"ID3_Track\"=\"3\"\n");
        startWindow();
        EXPECT_EQ(control<QLabel>("LabelFomartStr")->text(), c.line);
        click("CmdRecord");
        ASSERT_TRUE(form().recordingSession().isRecording());
        const QString path = documents_ + "/Quillotap/20261207-181541." + c.extension;
        EXPECT_EQ(form().recordingSession().outputFilePath(), path);
        ASSERT_TRUE(waitForData());
        EXPECT_TRUE(WaitFor([&] { return control<QLabel>("LabelRTime")->text() >= "00:00:02"; }));
        click("CmdStopRecord");
        EXPECT_FALSE(form().recordingSession().isRecording());

        AudioFile file;
        file.OpenForReading(path);
        ASSERT_EQ(file.GetStatus(), 0) << file.GetErrorText().toStdString();
        EXPECT_EQ(file.GetSampleRate(), c.rate);
        EXPECT_GE(file.GetLength(), 2 * c.rate);
        AudioInformation tag;
        ASSERT_TRUE(tag.Open(path)) << tag.GetErrorText().toStdString();
        EXPECT_EQ(tag.Title, "Morning take");
        EXPECT_EQ(tag.Genre, 8);
        EXPECT_EQ(tag.Year, 2026);
        EXPECT_EQ(tag.Track, 3);
        close();
        EXPECT_EQ(stored("LastFormat"), c.index);
        form_.reset();
    }
}

TEST_F(RecordingWindowTest, ShutDownFinishesARunningRecording) {
    startWindow();
    click("CmdRecord");
    ASSERT_TRUE(waitForData());
    close();
    AudioFile file;
    file.OpenForReading(expectedFile());
    ASSERT_GE(file.GetStatus(), 0);
    EXPECT_GT(file.GetLength(), 0);
    AudioInformation tag;
    ASSERT_TRUE(tag.Open(expectedFile()));
    EXPECT_EQ(tag.Track, 1);
}

TEST_F(RecordingWindowTest, InputVolumeKnobFollowsOutsideChangesExceptDuringADrag) {
    startWindow();
    auto* knob = control<PictureSlider>("PicSlider4");
    form().recordingMonitor().onGainChanged(0);
    EXPECT_EQ(knob->value(), 0);
    const int before = knob->value();
    form().inputSelection().beginVolumeDrag();
    form().recordingMonitor().onGainChanged(65535);
    EXPECT_EQ(knob->value(), before);
    form().inputSelection().applyVolume(0); // the knob let go
    form().recordingMonitor().onGainChanged(65535);
    EXPECT_EQ(knob->value(), 65535);
}

// Pixels in which two pictures of the same size differ.
int changedPixels(const QImage& a, const QImage& b) {
    int changed = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y);
    return changed;
}

TEST_F(RecordingWindowTest, PreviewShowsTheInputBeforeAnyRecordingInEveryPreset) {
    startWindow();
    // A fresh start: no file has been created or opened yet.
    ASSERT_EQ(form().recordingSession().writer().GetChannels(), 0);
    control<QCheckBox>("CheckPreview")->setChecked(true);
    ASSERT_TRUE(form().recordingSession().recorder().IsRunning());
    auto* pane = control<AudioVisualizationEx2>("AudioVisualization21");
    const auto shot = [pane] { return pane->grab().toImage(); };
    for (int preset = 1; preset <= 12; ++preset) {
        SCOPED_TRACE(preset);
        control<QAction>(QStringLiteral("ps%1a").arg(preset).toLatin1().constData())->trigger();
        pane->SetSamples({});
        const QImage blank = shot();
        EXPECT_TRUE(WaitFor([&] { return changedPixels(shot(), blank) > 50; }));
    }
    EXPECT_FALSE(form().recordingSession().isRecording());
}

TEST_F(RecordingWindowTest, LostInputStopsTheRecordingFinishesTheFileAndSaysWhy) {
    useDevices("Mic:Counter");
    startWindow();
    control<QComboBox>("ComboFormat")->setCurrentIndex(FormatWAV);
    const qint64 capturedBefore = backend_->capturedFrames();
    click("CmdRecord");
    ASSERT_TRUE(WaitFor([&] { return control<QLabel>("LabelRTime")->text() >= "00:00:02"; }));

    backend_->removeDevice(0); // the microphone is unplugged
    ASSERT_TRUE(WaitFor([&] { return !form().recordingSession().isRecording(); }, 2000));
    const QString reason = "The input \"Mic\" was removed.";
    EXPECT_EQ(status(), "Recording stopped. " + reason);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
    EXPECT_EQ(messages_[0].title, "Error");
    EXPECT_TRUE(messages_[0].text.contains(reason)) << messages_[0].text.toStdString();
    EXPECT_TRUE(messages_[0].text.contains(form().recordingSession().outputFilePath()));
    for (const char* name : {"CmdRecord", "ComboFormat", "CheckPreview", "CmdPlayNow"})
        EXPECT_TRUE(control<QWidget>(name)->isEnabled()) << name;
    EXPECT_FALSE(form().recordingSession().recorder().IsRunning());

    // The finished file holds every sample captured before the loss, in order.
    AudioFile file;
    file.OpenForReading(form().recordingSession().outputFilePath());
    ASSERT_GE(file.GetStatus(), 0);
    EXPECT_EQ(file.GetLength(), backend_->capturedFrames() - capturedBefore);
    qint64 next = 0;
    for (SampleBlock b = file.ReadSamples(65536); !b.empty(); b = file.ReadSamples(65536))
        for (int16_t sample : b)
            ASSERT_EQ(sample, int16_t(uint16_t(next++))) << "element " << next - 1;
    EXPECT_GE(next, 2 * 2 * 44100);
}

TEST_F(RecordingWindowTest, LostInputInIconModeIsToldByTheBalloon) {
    FakeTrayIcon* tray = nullptr;
    FormMainServices services = handDrivenServices(&keys_);
    services.recordingClock = [] { return FileTime; };
    services.trayFactory = [&tray]() -> std::unique_ptr<TrayIcon> {
        auto icon = std::make_unique<FakeTrayIcon>();
        tray = icon.get();
        return icon;
    };
    start(std::move(services));
    ASSERT_TRUE(started_);
    form().iconMode().EnterFromWindow();
    ASSERT_TRUE(form().isInIconMode());
    tray->messages.clear(); // the balloon that explains the icon
    tray->leftClick();
    ASSERT_TRUE(form().recordingSession().isRecording());
    ASSERT_TRUE(waitForData());

    backend_->removeDevice(0);
    ASSERT_TRUE(WaitFor([&] { return !form().recordingSession().isRecording(); }, 2000));
    ASSERT_EQ(tray->messages.size(), 1);
    EXPECT_TRUE(tray->messages[0].startsWith("Quillotap|The recording was stopped"))
        << tray->messages[0].toStdString();
    EXPECT_TRUE(tray->messages[0].contains("\"Test signal\" was removed"));
    EXPECT_TRUE(messages_.empty()) << "no message box behind the hidden window";
    EXPECT_EQ(tray->toolTip, "Quillotap - Ready to record");
    AudioInformation tag; // the MP3 file was finished with its tag
    ASSERT_TRUE(tag.Open(expectedFile()));
    EXPECT_EQ(tag.Track, 1);
}

using HotkeyWindowTest = RecordingWindowTest;

TEST_F(HotkeyWindowTest, CtrlAltRRecordsAfterTheCueAndCtrlAltSStopsBeforeIts) {
    startWindow();
    provideCueFiles();
    Hotkeys& poller = form().hotkeys();
    form().pageMenu().onMenuButtonClicked(MainFrame::OptionsPage);

    // Stop while idle: nothing matches.
    keys_->press({VkCtrl, VkAlt, VkS});
    EXPECT_EQ(poller.tick(), 0);
    keys_->releaseAll();

    keys_->press({VkCtrl, VkAlt, VkR});
    EXPECT_EQ(poller.tick(), 1);
    EXPECT_TRUE(form().recordingSession().isRecording());
    EXPECT_EQ(cues_, QStringList{"1000 idle"});
    EXPECT_EQ(form().pageMenu().CurrentPage(), MainFrame::RecorderPage);
    EXPECT_TRUE(poller.isPausing());
    EXPECT_EQ(poller.tick(), 0) << "no poll during the pause";

    // Still held after the pause: row 1 declines while recording.
    poller.pauseElapsed();
    EXPECT_EQ(poller.tick(), 0);
    keys_->releaseAll();
    ASSERT_TRUE(waitForData());

    keys_->press({VkCtrl, VkAlt, VkS});
    EXPECT_EQ(poller.tick(), 2);
    keys_->releaseAll();
    EXPECT_FALSE(form().recordingSession().isRecording());
    EXPECT_EQ(cues_, (QStringList{"1000 idle", "500 idle"}));
    EXPECT_TRUE(QFileInfo(expectedFile()).size() > 0);
    EXPECT_EQ(status(), "Ready to record");
}

TEST_F(HotkeyWindowTest, NoHotkeyActsWhileSuspended) {
    startWindow();
    form().cueSounds().setAppFolder(cueFolder_.path() + "/"); // no cue files: no wait either
    Hotkeys& poller = form().hotkeys();
    form().hotkeys().SuspendHotkeys();
    keys_->press({VkCtrl, VkAlt, VkR});
    EXPECT_EQ(poller.tick(), 0);
    EXPECT_FALSE(form().recordingSession().isRecording());
    form().hotkeys().ResumeHotkeys();
    EXPECT_EQ(poller.tick(), 1);
    EXPECT_TRUE(form().recordingSession().isRecording());
    EXPECT_TRUE(cues_.isEmpty());
}

TEST_F(HotkeyWindowTest, VolumeRowsMoveThePlayerVolumeKnob) {
    startWindow();
    Hotkeys& poller = form().hotkeys();
    auto* knob = control<PictureSlider>("PicSlider2");
    form().playback().player().SetVolume(60000);
    keys_->press({VkCtrl, VkAlt, VkUp});
    EXPECT_EQ(poller.tick(), 3);
    EXPECT_EQ(form().playback().player().GetVolume(), 65535);
    EXPECT_EQ(knob->value(), 65535);
}

TEST_F(HotkeyWindowTest, RowSixStopsTheRecording) {
    startWindow();
    click("CmdRecord");
    ASSERT_TRUE(waitForData());
    keys_->press({VkCtrl, VkAlt, 'P'});
    EXPECT_EQ(form().hotkeys().tick(), 6);
    EXPECT_FALSE(form().recordingSession().isRecording());
    EXPECT_TRUE(cues_.isEmpty());
}

TEST_F(HotkeyWindowTest, ChangeRefusesACodeAnotherRowHolds) {
    startWindow();
    auto* list = control<QTreeWidget>("ListViewHotkey");
    list->setCurrentItem(list->topLevelItem(0));
    control<QComboBox>("ComboKey")->setCurrentText("S");
    click("CmdChange");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
    EXPECT_EQ(messages_[0].title, "Error");
    EXPECT_EQ(messages_[0].text, "This Hot key has already been used.");
    EXPECT_EQ(list->topLevelItem(0)->data(0, Qt::UserRole).toString(), "CA+R");
}

TEST_F(HotkeyWindowTest, WithoutAKeyboardToReadThePageAndTheStatusLineSaySo) {
    startWindow();
    auto* note = control<QLabel>("LabelHotkeyNote");
    EXPECT_TRUE(note->isHidden()) << "a keyboard that works needs no note";
    form_.reset();

    FormMainServices services;
    services.keyboard = std::make_unique<NullKeyboardState>();
    start(std::move(services));
    note = control<QLabel>("LabelHotkeyNote");
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().contains(NoKeyboardReason())) << note->text().toStdString();
    EXPECT_TRUE(note->text().contains("quillotap --toggle"));
    ASSERT_TRUE(WaitFor([&] { return status() == HotkeyStatusLineText(); }));
}

} // namespace
} // namespace quillotap::test
