// Sound-device start-up over different device tables, the source selection
// with its sliders, the preview hand-off between the pages, and what the
// slider releases send to the sound system.
#include "AppFixture.h"

#include "app/SoundDeviceInit.h"
#include "recording/InputSelection.h"
#include "ui/PageMenu.h"
#include "widgets/PictureSlider.h"

#include <QSignalSpy>
#include <QTest>

namespace quillotap::test {
namespace {

using SoundDeviceTest = AppFixture;

QStringList Entries(const QComboBox* box) {
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries << box->itemText(i);
    return entries;
}

TEST_F(SoundDeviceTest, UnusableDevicesAreSkippedAndEntriesKeepTheirIndex) {
    useDevices("Broken!;Mic:Front|Rear;Off!;Line:Left", 0);
    start();
    ASSERT_TRUE(started_);
    auto* devices = control<QComboBox>("DeviceCombo");
    EXPECT_EQ(Entries(devices), QStringList({"Mic", "Line"}));
    EXPECT_EQ(devices->itemData(0).toInt(), 1);
    EXPECT_EQ(devices->itemData(1).toInt(), 3);
    EXPECT_EQ(devices->currentIndex(), 0);
    EXPECT_EQ(form().recordingSession().recorder().GetDevice(), 1);
    EXPECT_EQ(Entries(control<QComboBox>("ComboSource")), QStringList({"Front", "Rear"}));
    EXPECT_EQ(form().inputSelection().sourceCount(), 2);

    // Choosing the other device lists its sources and selects the first.
    devices->setCurrentIndex(1);
    EXPECT_EQ(form().recordingSession().recorder().GetDevice(), 3);
    EXPECT_EQ(Entries(control<QComboBox>("ComboSource")), QStringList({"Left"}));
    EXPECT_EQ(form().inputSelection().sourceLine(), 0);
}

TEST_F(SoundDeviceTest, DefaultPastTheLastEntrySelectsTheLastEntry) {
    useDevices("A:One;B!;C:Two", 7);
    start();
    ASSERT_TRUE(started_);
    auto* devices = control<QComboBox>("DeviceCombo");
    EXPECT_EQ(devices->currentIndex(), 1);
    EXPECT_EQ(devices->currentText(), "C");
    EXPECT_EQ(form().recordingSession().recorder().GetDevice(), 2);
    EXPECT_EQ(control<QComboBox>("ComboSource")->currentText(), "Two");
}

TEST_F(SoundDeviceTest, DeviceWithoutSourcesEndsWithTheMessageAndWritesNothing) {
    useDevices("Empty:", 0);
    start();
    EXPECT_FALSE(started_);
    EXPECT_TRUE(form().endedEarly());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
    EXPECT_EQ(messages_[0].title, "Quillotap");
    EXPECT_EQ(messages_[0].text, SoundDeviceFailureText);
    close();
    EXPECT_FALSE(QFile::exists(hiveFilePath()));
}

TEST_F(SoundDeviceTest, NoDeviceAtAllStartsQuietly) {
    backend_->setDevices({});
    start();
    ASSERT_TRUE(started_);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(control<QComboBox>("DeviceCombo")->count(), 0);
    EXPECT_EQ(control<QComboBox>("ComboSource")->count(), 0);
    EXPECT_EQ(form().inputSelection().sourceCount(), 0);
    close();
    EXPECT_EQ(stored("MaxTime"), "600");
}

TEST_F(SoundDeviceTest, SourceNamedTwiceSelectsTheFirstLineOfThatName) {
    useDevices("Mic:Line A#volume=1000|Line A#volume=60000", 0);
    start();
    auto* sources = control<QComboBox>("ComboSource");
    ASSERT_EQ(sources->count(), 2);
    sources->setCurrentIndex(1);
    EXPECT_EQ(form().inputSelection().sourceLine(), 0);
    EXPECT_EQ(backend_->devices()[0].selectedLine, 0);
    // The knob shows the first line's volume, not the second's.
    EXPECT_LT(control<PictureSlider>("PicSlider4")->value(), 30000);
}

TEST_F(SoundDeviceTest, SlidersShowTheLineAndDimWhatItLacks) {
    useDevices("Mic:Full#volume=65535#balance=100|Bare#novolume#nobalance#volume=0", 0);
    start();
    form().show();
    auto* volume = control<PictureSlider>("PicSlider4");
    auto* balance = control<PictureSlider>("PicSlider3");
    ASSERT_TRUE(WaitFor([&] { return volume->isVisible(); }));
    EXPECT_TRUE(volume->isEnabled());
    EXPECT_FALSE(volume->isDimmed());
    EXPECT_EQ(volume->value(), 65535);
    EXPECT_EQ(volume->knobRect().top(), 0);
    EXPECT_TRUE(balance->isEnabled());
    EXPECT_EQ(balance->value(), 100);

    control<QComboBox>("ComboSource")->setCurrentIndex(1);
    EXPECT_EQ(form().inputSelection().sourceLine(), 1);
    EXPECT_EQ(backend_->devices()[0].selectedLine, 1);
    EXPECT_FALSE(volume->isEnabled());
    EXPECT_TRUE(volume->isDimmed());
    EXPECT_EQ(volume->value(), 0);
    EXPECT_EQ(volume->knobRect().bottom(), volume->height() - 1);
    EXPECT_FALSE(balance->isEnabled());
    EXPECT_TRUE(balance->isDimmed());
    EXPECT_EQ(balance->value(), 50);
    EXPECT_NEAR(balance->knobRect().center().x(), balance->width() / 2, 1);
}

using PreviewTest = AppFixture;

TEST_F(PreviewTest, FilesPageSuspendsThePreviewAndTheRecorderPageResumesIt) {
    start();
    auto* preview = control<QCheckBox>("CheckPreview");
    preview->setChecked(true);
    ASSERT_TRUE(form().recordingSession().recorder().IsRunning());

    form().pageMenu().onMenuButtonClicked(MainFrame::FilesPage);
    EXPECT_FALSE(preview->isChecked());
    EXPECT_FALSE(form().recordingSession().recorder().IsRunning());
    EXPECT_TRUE(form().pageMenuHandlers().previewRestore());
    EXPECT_EQ(form().frame().statusLabel()->text(), "Ready to record");

    form().pageMenu().onMenuButtonClicked(MainFrame::HotkeyPage);
    EXPECT_FALSE(form().recordingSession().recorder().IsRunning());
    EXPECT_EQ(form().pageMenu().CurrentPage(), MainFrame::HotkeyPage);
    // A second visit keeps what the first remembered.
    form().pageMenu().onMenuButtonClicked(MainFrame::FilesPage);
    EXPECT_TRUE(form().pageMenuHandlers().previewRestore());

    form().pageMenu().onMenuButtonClicked(MainFrame::RecorderPage);
    EXPECT_TRUE(preview->isChecked());
    EXPECT_TRUE(form().recordingSession().recorder().IsRunning());
    EXPECT_FALSE(form().pageMenuHandlers().previewRestore());

    // Without a preview there is nothing to restore.
    preview->setChecked(false);
    form().pageMenu().onMenuButtonClicked(MainFrame::FilesPage);
    form().pageMenu().onMenuButtonClicked(MainFrame::RecorderPage);
    EXPECT_FALSE(preview->isChecked());
}

TEST_F(PreviewTest, PreviewCapturesInTheOutputFormatAndDropsItsBlocks) {
    backend_->setSpeed(50);
    start();
    control<QCheckBox>("CheckPreview")->setChecked(true);
    const CaptureFormat format = form().inputSelection().previewFormat();
    EXPECT_GT(format.sampleRate, 0);
    EXPECT_GT(format.channels, 0);
    QSignalSpy blocks(&form().recordingSession().recorder(), &AudioRecord::EndArrayRecord);
    ASSERT_TRUE(WaitFor([&] { return blocks.count() >= 3; }));
    // Every finished block was taken and dropped: none is waiting.
    QApplication::processEvents();
    form().recordingSession().recorder().Stop();
    SampleBlock rest = form().recordingSession().recorder().GetRecordedBuffer();
    EXPECT_LE(rest.size(), size_t(form().recordingSession().recorder().GetBufferSize(1000)));
    EXPECT_TRUE(form().recordingSession().recorder().GetRecordedBuffer().empty());
    backend_->setSpeed(1);
}

TEST_F(PreviewTest, VolumeChangedElsewhereMovesTheKnobUnlessItIsHeld) {
    start();
    form().show();
    // The recorder reports volume changes while it captures.
    control<QCheckBox>("CheckPreview")->setChecked(true);
    auto* volume = control<PictureSlider>("PicSlider4");
    ASSERT_TRUE(WaitFor([&] { return volume->isVisible(); }));
    QSignalSpy gain(&form().recordingSession().recorder(), &AudioRecord::GainChange);

    backend_->simulateExternalVolumeChange(0, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return gain.count() >= 1; }));
    EXPECT_EQ(volume->value(), 0);

    QTest::mousePress(volume, Qt::LeftButton, {}, QPoint(volume->width() / 2, 0));
    EXPECT_TRUE(form().inputSelection().isVolumeDragging());
    backend_->simulateExternalVolumeChange(0, 0, 65535);
    ASSERT_TRUE(WaitFor([&] { return gain.count() >= 2; }));
    EXPECT_EQ(volume->value(), 0);
    QTest::mouseRelease(volume, Qt::LeftButton, {}, QPoint(volume->width() / 2, 0));
    EXPECT_FALSE(form().inputSelection().isVolumeDragging());
    EXPECT_EQ(volume->value(), 65535);
}

using SliderTest = AppFixture;

TEST_F(SliderTest, ReleasesReachTheSoundSystem) {
    start();
    form().show();
    auto* position = control<PictureSlider>("PicSlider1");
    auto* playerVolume = control<PictureSlider>("PicSlider2");
    auto* balance = control<PictureSlider>("PicSlider3");
    auto* inputVolume = control<PictureSlider>("PicSlider4");

    const auto release = [](PictureSlider* slider, QPoint at) {
        QTest::mousePress(slider, Qt::LeftButton, {}, at);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, at);
    };
    const auto line = [this] { return backend_->devices()[0].lines[0]; };

    form().pageMenu().onMenuButtonClicked(MainFrame::RecorderPage);
    ASSERT_TRUE(WaitFor([&] { return inputVolume->isVisible(); }));
    release(inputVolume, {5, -50});
    EXPECT_EQ(line().volume, 65535);
    release(inputVolume, {5, inputVolume->height() + 50});
    EXPECT_EQ(line().volume, 0);
    release(balance, {balance->width() + 50, 5});
    EXPECT_EQ(line().balance, 100);
    release(balance, {-50, 5});
    EXPECT_EQ(line().balance, 0);

    form().pageMenu().onMenuButtonClicked(MainFrame::FilesPage);
    ASSERT_TRUE(WaitFor([&] { return playerVolume->isVisible(); }));
    release(playerVolume, {-50, 5});
    EXPECT_EQ(backend_->outputVolume(), 0);
    release(playerVolume, {playerVolume->width() + 50, 5});
    EXPECT_EQ(backend_->outputVolume(), 65535);

    // Nothing plays: the position knob goes back to the start.
    QTest::mousePress(position, Qt::LeftButton, {}, {position->width() / 2, 5});
    EXPECT_TRUE(form().playback().isPositionDragging());
    QTest::mouseRelease(position, Qt::LeftButton, {}, {position->width() / 2, 5});
    EXPECT_EQ(position->value(), 0);
    EXPECT_FALSE(form().playback().isPositionDragging());
}

} // namespace
} // namespace quillotap::test
