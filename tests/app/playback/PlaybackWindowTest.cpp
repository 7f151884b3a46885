// Playback in a started main window: the files page's Play, Pause and Stop
// buttons and position slider, the recorder page's "Play" for the last
// recording, the hotkey that stops a recording and plays it, and a recording
// that goes on untouched while files are played.
#include "../AppFixture.h"
#include "files/FilesPage.h"

#include "audio/AudioFile.h"
#include "formats/FormatCatalogue.h"
#include "hotkeys/ScriptedKeyboardState.h"
#include "support/ToneAnalysis.h"
#include "ui/SliderHandlers.h"
#include "widgets/PictureSlider.h"

#include <QPushButton>
#include <cmath>

namespace quillotap::test {
namespace {

constexpr int VkCtrl = 17;
constexpr int VkAlt = 18;
constexpr int VkP = 'P';

const QDateTime FileTime{QDate(2026, 12, 8), QTime(9, 30, 5)};

class PlaybackWindowTest : public FastAppFixture {
protected:
    void SetUp() override {
        FastAppFixture::SetUp();
        backend_->clearOutput();
    }

    FormMain& startWindow() {
        FormMainServices services = handDrivenServices(&keys_);
        services.recordingClock = [] { return FileTime; };
        FormMain& f = start(std::move(services));
        EXPECT_TRUE(started_);
        return f;
    }

    // A four-second 440 Hz WAV file in the output folder.
    QString writeTone(const QString& name) {
        const QString path = form().folderChooser().folder() + name;
        AudioFile file;
        file.SetWAVFormat(44100, 2, 16);
        file.CreateForWriting(path);
        EXPECT_GE(file.GetStatus(), 0) << file.GetErrorText().toStdString();
        EXPECT_TRUE(file.WriteSamples(makeTone(440, 44100, 2, 4 * 44100)));
        file.CloseWriter();
        return path;
    }

    QTreeWidget* list() { return control<QTreeWidget>("ListViewFile"); }
    QTreeWidgetItem* listItem(const QString& text) {
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            if (list()->topLevelItem(i)->text(0) == text)
                return list()->topLevelItem(i);
        return nullptr;
    }
    // The position of the row showing `text`, -1 when there is none.
    int listRow(const QString& text) {
        QTreeWidgetItem* item = listItem(text);
        return item ? list()->indexOfTopLevelItem(item) : -1;
    }

    // Records in WAV for about two seconds of audio, then stops.
    void recordWav() {
        control<QComboBox>("ComboFormat")->setCurrentIndex(FormatWAV);
        control<QPushButton>("CmdRecord")->click();
        ASSERT_TRUE(form().recordingSession().isRecording());
        ASSERT_TRUE(WaitFor(
            [&] { return QFileInfo(form().recordingSession().outputFilePath()).size() > 400000; }));
        control<QPushButton>("CmdStopRecord")->click();
        ASSERT_FALSE(form().recordingSession().isRecording());
    }

    qint64 fileFrames(const QString& path) {
        AudioFile file;
        file.OpenForReading(path);
        return file.GetStatus() < 0 ? -1 : file.GetLength();
    }

    QString caption(const char* button) { return control<QPushButton>(button)->text(); }

    ScriptedKeyboardState* keys_ = nullptr;
};

TEST_F(PlaybackWindowTest, FilesPageButtonsPlayPauseSeekAndStop) {
    startWindow();
    form().pageMenu().onMenuButtonClicked(MainFrame::FilesPage);

    // An empty folder gives an empty list, which has nothing to play.
    ASSERT_EQ(list()->topLevelItemCount(), 0);
    control<QPushButton>("CmdPlay")->click();
    EXPECT_FALSE(form().playback().isActive());

    const QString path = writeTone(QStringLiteral("tone.wav"));
    control<QPushButton>("CmdRefresh")->click();
    ASSERT_EQ(list()->topLevelItemCount(), 1);
    ASSERT_NE(listItem(QStringLiteral("tone.wav")), nullptr);
    control<QPushButton>("CmdPlay")->click();
    ASSERT_TRUE(form().playback().isActive());
    EXPECT_EQ(control<QLabel>("LabelFileName")->text(), path);
    EXPECT_EQ(control<QLabel>("LabelTime")->text(), "Total: 00:00:04");

    control<QPushButton>("CmdPausePlay")->click();
    EXPECT_TRUE(form().playback().isPaused());
    EXPECT_EQ(caption("CmdPausePlay"), "Continue");

    // Letting go of the position knob in the middle moves the file position
    // there.
    auto* position = control<PictureSlider>("PicSlider1");
    form().playback().beginPositionDrag();
    position->SetSliderKnob(position->width() / 2);
    form().sliderHandlers().onPositionReleased();
    EXPECT_FALSE(form().playback().isPositionDragging());
    EXPECT_NEAR(position->value(), 50, 1);
    EXPECT_EQ(form().playback().playBase(), std::llround(position->value() / 100.0 * 4 * 44100));

    control<QPushButton>("CmdStopPlay")->click();
    EXPECT_FALSE(form().playback().isActive());
    EXPECT_EQ(caption("CmdPausePlay"), "Pause");
    EXPECT_EQ(position->value(), 0);
    EXPECT_EQ(control<QLabel>("LabelFileName")->text(), path);

    // Going back to the recorder page ends playback.
    control<QPushButton>("CmdPlay")->click();
    ASSERT_TRUE(form().playback().isActive());
    form().pageMenu().onMenuButtonClicked(MainFrame::RecorderPage);
    EXPECT_FALSE(form().playback().isActive());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(PlaybackWindowTest, PlayNowDoesNothingBeforeTheFirstRecording) {
    startWindow();
    writeTone(QStringLiteral("older.wav"));
    form().onPlayNowClicked();
    EXPECT_EQ(form().pageMenu().CurrentPage(), MainFrame::RecorderPage);
    EXPECT_FALSE(form().playback().isActive());
}

TEST_F(PlaybackWindowTest, PlayNowShowsSelectsAndPlaysTheLastRecording) {
    startWindow();
    // A file whose name differs from the recording's only in case, which the
    // list shows first.
    const QString decoy = QStringLiteral("20261208-093005.WAV");
    writeTone(decoy);
    recordWav();
    const QString name = form().recordingSession().outputFileName();
    EXPECT_EQ(name, "20261208-093005.wav");
    backend_->clearOutput();

    auto* playNow = control<QPushButton>("CmdPlayNow");
    ASSERT_TRUE(playNow->isEnabled());
    playNow->click();
    EXPECT_EQ(form().pageMenu().CurrentPage(), MainFrame::FilesPage);
    ASSERT_EQ(listRow(decoy), 0);
    ASSERT_EQ(listRow(name), 1);
    ASSERT_NE(list()->currentItem(), nullptr);
    EXPECT_EQ(list()->currentItem()->text(0), name);
    EXPECT_TRUE(list()->currentItem()->isSelected());
    EXPECT_EQ(form().focusWidget(), list());
    ASSERT_TRUE(form().playback().isActive());
    EXPECT_EQ(control<QLabel>("LabelFileName")->text(), form().recordingSession().outputFilePath());

    ASSERT_TRUE(WaitFor([&] { return !form().playback().isActive(); }));
    EXPECT_EQ(backend_->outputFramesPlayed(),
              fileFrames(form().recordingSession().outputFilePath()));
    EXPECT_NEAR(dominantFrequency(backend_->outputSamples(), 44100, 2), 440.0, 3.0);
}

TEST_F(PlaybackWindowTest, PlayNowPlaysTheRecordingEvenWhenTheListLacksIt) {
    startWindow();
    recordWav();
    form().filesPage().build();
    list()->clear(); // the files page shows the list as it is
    form().onPlayNowClicked();
    EXPECT_EQ(form().pageMenu().CurrentPage(), MainFrame::FilesPage);
    EXPECT_EQ(list()->currentItem(), nullptr);
    EXPECT_TRUE(form().playback().isActive());
    EXPECT_EQ(control<QLabel>("LabelFileName")->text(), form().recordingSession().outputFilePath());
}

TEST_F(PlaybackWindowTest, PlayHotkeyStopsTheRecordingAndPlaysIt) {
    startWindow();
    control<QComboBox>("ComboFormat")->setCurrentIndex(FormatWAV);
    control<QPushButton>("CmdRecord")->click();
    ASSERT_TRUE(WaitFor(
        [&] { return QFileInfo(form().recordingSession().outputFilePath()).size() > 200000; }));
    backend_->clearOutput();

    Hotkeys& hotkeys = form().hotkeys();
    keys_->press({VkCtrl, VkAlt, VkP});
    EXPECT_EQ(hotkeys.tick(), 6);
    EXPECT_FALSE(form().recordingSession().isRecording());
    EXPECT_TRUE(form().playback().isActive());
    EXPECT_EQ(form().pageMenu().CurrentPage(), MainFrame::FilesPage);
    EXPECT_EQ(control<QLabel>("LabelFileName")->text(), form().recordingSession().outputFilePath());
    ASSERT_TRUE(WaitFor([&] { return backend_->outputFramesPlayed() > 8000; }));

    // Pressed again: the recording plays again from its start.
    keys_->releaseAll();
    hotkeys.tick();
    hotkeys.pauseElapsed();
    keys_->press({VkCtrl, VkAlt, VkP});
    EXPECT_EQ(hotkeys.tick(), 6);
    keys_->releaseAll();
    EXPECT_TRUE(form().playback().isActive());
    EXPECT_EQ(form().playback().playBase(), 0);
    ASSERT_TRUE(WaitFor([&] { return !form().playback().isActive(); }));
    EXPECT_NEAR(dominantFrequency(backend_->outputSamples(), 44100, 2), 440.0, 3.0);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(PlaybackWindowTest, ARecordingGoesOnUntouchedWhileFilesArePlayed) {
    useDevices(QStringLiteral("Counter:Counter"));
    startWindow();
    const QString other = writeTone(QStringLiteral("other.wav"));
    control<QComboBox>("ComboFormat")->setCurrentIndex(FormatWAV);
    control<QPushButton>("CmdRecord")->click();
    ASSERT_TRUE(form().recordingSession().isRecording());
    const QString recording = form().recordingSession().outputFilePath();
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(recording).size() > 100000; }));

    form().playback().PlayFile(other);
    ASSERT_TRUE(form().playback().isActive());
    form().playback().PlayFile(recording); // the file being written
    ASSERT_TRUE(form().playback().isActive());
    ASSERT_TRUE(WaitFor([&] { return backend_->outputFramesPlayed() > 2000; }));
    form().playback().StopPlayback();
    const qint64 sizeAtStop = QFileInfo(recording).size();
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(recording).size() > sizeAtStop + 100000; }))
        << "the recording goes on after playback stopped";
    control<QPushButton>("CmdStopRecord")->click();
    EXPECT_TRUE(messages_.empty());

    // Every captured element is in the file, in order: the counter the
    // synthetic line produces runs on without a gap or a repeat.
    AudioFile check;
    check.OpenForReading(recording);
    ASSERT_GE(check.GetStatus(), 0);
    const SampleBlock all = check.ReadSamples(int(check.GetLength() * check.GetChannels()));
    ASSERT_GT(qint64(all.size()), sizeAtStop / 2);
    qint64 broken = -1;
    for (std::size_t i = 0; i < all.size() && broken < 0; ++i)
        if (all[i] != int16_t(uint16_t(i)))
            broken = qint64(i);
    EXPECT_EQ(broken, -1);
}

TEST_F(PlaybackWindowTest, AnOutputLostWhilePlayingStopsPlaybackAndSaysWhy) {
    startWindow();
    backend_->setSpeed(1); // the four seconds must outlast the loss
    const QString path = writeTone(QStringLiteral("tone.wav"));
    form().pageMenu().onMenuButtonClicked(MainFrame::FilesPage);
    control<QPushButton>("CmdRefresh")->click();
    control<QPushButton>("CmdPlay")->click();
    ASSERT_TRUE(form().playback().isActive());
    // Paused and continued: the output that is lost is the second one.
    control<QPushButton>("CmdPausePlay")->click();
    control<QPushButton>("CmdPausePlay")->click();
    ASSERT_FALSE(form().playback().isPaused());
    ASSERT_TRUE(WaitFor([&] { return backend_->outputFramesPlayed() > 4410; }));
    ASSERT_TRUE(WaitFor([&] { return control<PictureSlider>("PicSlider1")->value() > 0; }));

    backend_->removeOutput();
    ASSERT_TRUE(WaitFor([&] { return !form().playback().isActive(); }, 3000))
        << "playback goes on after its output was lost";
    EXPECT_FALSE(form().playback().isPaused());
    EXPECT_EQ(caption("CmdPausePlay"), "Pause");
    EXPECT_EQ(control<PictureSlider>("PicSlider1")->value(), 0);
    EXPECT_EQ(control<QLabel>("LabelStatus")->text(),
              "Playback stopped: The sound output was removed.");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(messages_[0].text.contains(path)) << messages_[0].text.toStdString();
    EXPECT_TRUE(messages_[0].text.contains("The sound output was removed."));

    // Pause does nothing now, and Play starts the file again on a new output.
    control<QPushButton>("CmdPausePlay")->click();
    EXPECT_FALSE(form().playback().isPaused());
    control<QPushButton>("CmdPlay")->click();
    EXPECT_TRUE(form().playback().isActive());
    form().playback().StopPlayback();
    EXPECT_EQ(messages_.size(), 1u);
}

} // namespace
} // namespace quillotap::test
