// The FLAC and Opus option dialogs open on the stored choice, every control
// has a name a screen reader can use, and Cancel changes nothing. (What OK
// stores is followed through to the recorded file by the window tests.)
#include "formats/FormFLAC.h"
#include "formats/FormOPUS.h"

#include "DialogTestSupport.h"
#include "audio/AudioFile.h"
#include "formats/OutputFormatSettings.h"

#include <QLabel>
#include <QRadioButton>
#include <QSlider>

using namespace quillotap;
using quillotap::test::Click;
using quillotap::test::Control;

namespace {

TEST(FormFLAC, OpensOnStoredValuesAndCancelChangesNothing) {
    OutputFormatSettings settings;
    settings.FLACLevel = 2;
    settings.FLACBit = 24;
    AudioFile audio;
    audio.SetFLACFormat(2, 24);
    FormFLAC dialog(settings, audio);
    EXPECT_EQ(dialog.windowTitle(), "FLAC Option");
    auto* level = Control<QSlider>(dialog, "sldrLevel");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->value(), 2);
    EXPECT_EQ(level->maximum(), 8);
    EXPECT_TRUE(Control<QLabel>(dialog, "lblLevel")->text().startsWith("Level 2 "));
    EXPECT_TRUE(Control<QRadioButton>(dialog, "B2")->isChecked());
    quillotap::test::ExpectAccessibleNames(dialog);
    quillotap::test::SaveShot(dialog, "FormFLAC");

    level->setValue(8);
    EXPECT_TRUE(Control<QLabel>(dialog, "lblLevel")->text().startsWith("Level 8 "));
    Click(dialog, "B1");
    Click(dialog, "cmdCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.FLACLevel, 2);
    EXPECT_EQ(settings.FLACBit, 24);
    EXPECT_EQ(audio.GetFormatDescription(), "FLAC 44,100 Hz; Stereo; 24 bit; Level 2");
}

TEST(FormOPUS, OpensOnStoredValuesAndCancelChangesNothing) {
    OutputFormatSettings settings;
    settings.OPUSBitrate = 6;
    settings.OPUSMode = QStringLiteral("Voice");
    AudioFile audio;
    audio.SetOpusFormat(6, true);
    FormOPUS dialog(settings, audio);
    EXPECT_EQ(dialog.windowTitle(), "OPUS Option");
    auto* bitrate = Control<QSlider>(dialog, "sldrBitrate");
    ASSERT_NE(bitrate, nullptr);
    EXPECT_EQ(bitrate->minimum(), 6);
    EXPECT_EQ(bitrate->maximum(), 256);
    EXPECT_EQ(bitrate->value(), 6);
    EXPECT_EQ(Control<QLabel>(dialog, "lblBitrate")->text(), "Current bitrate: 6 Kbps");
    EXPECT_TRUE(Control<QRadioButton>(dialog, "P1")->isChecked());
    quillotap::test::ExpectAccessibleNames(dialog);
    quillotap::test::SaveShot(dialog, "FormOPUS");

    bitrate->setValue(256);
    EXPECT_EQ(Control<QLabel>(dialog, "lblBitrate")->text(), "Current bitrate: 256 Kbps");
    Click(dialog, "P2");
    Click(dialog, "cmdCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.OPUSBitrate, 6);
    EXPECT_EQ(settings.OPUSMode, "Voice");
    EXPECT_EQ(audio.GetFormatDescription(), "OPUS 48,000 Hz; Stereo; 6 Kbps; Voice");
}

} // namespace
