// The FLAC and Opus option dialogs: they open on the stored choice, OK hands
// the new one to the settings and to the writer (so the next recording uses
// it), Cancel changes nothing.
#include "formats/FormFLAC.h"
#include "formats/FormOPUS.h"

#include "DialogTestSupport.h"
#include "audio/AudioFile.h"
#include "formats/FormatCatalogue.h"
#include "formats/OutputFormatSettings.h"

#include <QLabel>
#include <QRadioButton>
#include <QSlider>

using namespace quillotap;
using quillotap::test::Click;
using quillotap::test::Control;

namespace {

bool Checked(QDialog& dialog, const char* name) {
    auto* button = Control<QRadioButton>(dialog, name);
    return button && button->isChecked();
}

TEST(FormFLAC, OpensOnStoredValuesAndOkHandsTheChoiceToTheWriter) {
    OutputFormatSettings settings;
    settings.FLACLevel = 2;
    settings.FLACBit = 24;
    AudioFile audio;
    FormFLAC dialog(settings, audio);
    EXPECT_EQ(dialog.windowTitle(), "FLAC Option");
    auto* level = Control<QSlider>(dialog, "sldrLevel");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->minimum(), 0);
    EXPECT_EQ(level->maximum(), 8);
    EXPECT_EQ(level->value(), 2);
    EXPECT_TRUE(Control<QLabel>(dialog, "lblLevel")->text().contains("Level 2"));
    EXPECT_TRUE(Checked(dialog, "B2"));
    quillotap::test::ExpectAccessibleNames(dialog);
    quillotap::test::SaveShot(dialog, "FormFLAC");

    level->setValue(8);
    EXPECT_TRUE(Control<QLabel>(dialog, "lblLevel")->text().contains("Level 8"));
    Click(dialog, "B1");
    Click(dialog, "cmdOk");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.FLACLevel, 8);
    EXPECT_EQ(settings.FLACBit, 16);
    EXPECT_EQ(audio.GetFormatDescription(), "FLAC 44,100 Hz; Stereo; 16 bit; Level 8");
    EXPECT_EQ(FlacDescription(settings, QLocale::c()), audio.GetFormatDescription());
}

TEST(FormFLAC, CancelChangesNothing) {
    OutputFormatSettings settings;
    AudioFile audio;
    audio.SetFLACFormat(5, 16);
    FormFLAC dialog(settings, audio);
    Control<QSlider>(dialog, "sldrLevel")->setValue(0);
    Click(dialog, "B2");
    Click(dialog, "cmdCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.FLACLevel, 5);
    EXPECT_EQ(settings.FLACBit, 16);
    EXPECT_EQ(audio.GetFormatDescription(), "FLAC 44,100 Hz; Stereo; 16 bit; Level 5");
}

TEST(FormOPUS, OpensOnStoredValuesAndOkHandsTheChoiceToTheWriter) {
    OutputFormatSettings settings;
    settings.OPUSBitrate = 24;
    settings.OPUSMode = QStringLiteral("Voice");
    AudioFile audio;
    FormOPUS dialog(settings, audio);
    EXPECT_EQ(dialog.windowTitle(), "OPUS Option");
    auto* bitrate = Control<QSlider>(dialog, "sldrBitrate");
    ASSERT_NE(bitrate, nullptr);
    EXPECT_EQ(bitrate->minimum(), 6);
    EXPECT_EQ(bitrate->maximum(), 256);
    EXPECT_EQ(bitrate->value(), 24);
    EXPECT_EQ(Control<QLabel>(dialog, "lblBitrate")->text(), "Current bitrate: 24 Kbps");
    EXPECT_TRUE(Checked(dialog, "P1"));
    EXPECT_FALSE(Checked(dialog, "P2"));
    quillotap::test::ExpectAccessibleNames(dialog);
    quillotap::test::SaveShot(dialog, "FormOPUS");

    bitrate->setValue(256);
    Click(dialog, "P2");
    Click(dialog, "cmdOk");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.OPUSBitrate, 256);
    EXPECT_EQ(settings.OPUSMode, "Music");
    EXPECT_EQ(audio.GetFormatDescription(), "OPUS 48,000 Hz; Stereo; 256 Kbps; Music");
    EXPECT_EQ(OpusDescription(settings, QLocale::c()), audio.GetFormatDescription());
}

TEST(FormOPUS, CancelChangesNothing) {
    OutputFormatSettings settings;
    AudioFile audio;
    audio.SetOpusFormat(96, false);
    FormOPUS dialog(settings, audio);
    Control<QSlider>(dialog, "sldrBitrate")->setValue(6);
    Click(dialog, "P1");
    Click(dialog, "cmdCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.OPUSBitrate, 96);
    EXPECT_EQ(settings.OPUSMode, "Music");
    EXPECT_EQ(audio.GetFormatDescription(), "OPUS 48,000 Hz; Stereo; 96 Kbps; Music");
}

} // namespace
