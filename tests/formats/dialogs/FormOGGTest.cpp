#include "formats/FormOGG.h"

#include "DialogTestSupport.h"
#include "audio/AudioFile.h"
#include "formats/Mp3Settings.h"
#include "formats/OutputFormatSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QSlider>

using namespace quillotap;
using quillotap::test::Click;
using quillotap::test::Control;

namespace {

QString OggDescription(int rate, int channels, int bitrate, int minimum, int maximum, int quality) {
    AudioFile reference;
    reference.SetOGGFormat(rate, channels, bitrate, minimum, maximum, quality);
    return reference.GetFormatDescription();
}

// Whether each named control is enabled, as "1"/"0" in name order.
std::string Enabled(FormOGG& dialog, std::initializer_list<const char*> names) {
    std::string states;
    for (const char* name : names)
        states += Control<QWidget>(dialog, name)->isEnabled() ? '1' : '0';
    return states;
}

TEST(FormOGG, OpensOnStoredValues) {
    OutputFormatSettings settings;
    settings.OGGFreq = QStringLiteral("32,000 Hz");
    settings.OGGChMode = QStringLiteral("Mono");
    settings.OGGsldrBitrate = 96;
    settings.OGGsldrMinBitrate = 64;
    settings.OGGsldrMaxBitrate = 100; // not a step: the label keeps it, the slider shows 8
    settings.OGGchVbr = true;
    AudioFile audio;
    FormOGG dialog(settings, audio);
    EXPECT_EQ(dialog.windowTitle(), "OGG Option");
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbFrequency")->currentText(), "32,000 Hz");
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbFrequency")->currentData().toInt(), 32000);
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbChMode")->currentText(), "Mono");
    EXPECT_EQ(Control<QSlider>(dialog, "sldrBitrate")->value(), 7);
    EXPECT_EQ(Control<QSlider>(dialog, "sldrMaxBitrate")->value(), 0);
    EXPECT_EQ(Control<QLabel>(dialog, "lblBitrate")->text(), "Current bitrate: 96 Kbps");
    EXPECT_EQ(Control<QLabel>(dialog, "lblMinBitrate")->text(), "Current min bitrate: 64 Kbps");
    EXPECT_EQ(Control<QLabel>(dialog, "lblMaxBitrate")->text(), "Current max bitrate: 100 Kbps");
    EXPECT_TRUE(Control<QCheckBox>(dialog, "chVbr")->isChecked());
    EXPECT_EQ(dialog.MaxBitrate, 100);
    quillotap::test::ExpectAccessibleNames(dialog);
    quillotap::test::SaveShot(dialog, "FormOGG");
}

TEST(FormOGG, BitratePositionOffersOnlyTheSteps) {
    for (std::size_t i = 1; i < BitrateSteps.size(); ++i)
        EXPECT_EQ(FormOGG::BitratePosition(BitrateSteps[i]), static_cast<int>(i));
    for (int kbps : {8, 0, 100, 321, -16})
        EXPECT_EQ(FormOGG::BitratePosition(kbps), 0) << kbps;
}

TEST(FormOGG, EnablingFollowsTheCheckBoxes) {
    OutputFormatSettings settings;
    AudioFile audio;
    FormOGG dialog(settings, audio);
    const auto all = {"chQuality",     "chVbr",          "sldrBitrate",    "lblBitrate",
                      "frmVbr",        "sldrMinBitrate", "sldrMaxBitrate", "lblMinBitrate",
                      "lblMaxBitrate", "frmQuality",     "sldrQuality"};
    EXPECT_EQ(Enabled(dialog, all), "11111000000");
    Click(dialog, "chVbr");
    EXPECT_EQ(Enabled(dialog, all), "11111111100");
    Click(dialog, "chQuality");
    EXPECT_EQ(Enabled(dialog, all), "10000000011");
    EXPECT_TRUE(dialog.QualityEnabled);
    Click(dialog, "chQuality");
    EXPECT_EQ(Enabled(dialog, all), "11111111100");
    Click(dialog, "chVbr"); // unticking VBR leaves its frame as it was
    EXPECT_EQ(Enabled(dialog, all), "11111000000");
    EXPECT_FALSE(dialog.VbrEnabled);
}

TEST(FormOGG, LowRatesForceStereo) {
    OutputFormatSettings settings;
    AudioFile audio;
    FormOGG dialog(settings, audio);
    auto* frequency = Control<QComboBox>(dialog, "cmbFrequency");
    auto* mode = Control<QComboBox>(dialog, "cmbChMode");
    for (int low : {0, 1, 2}) {
        frequency->setCurrentIndex(3);
        mode->setCurrentIndex(0);
        frequency->setCurrentIndex(low);
        EXPECT_EQ(mode->currentText(), "Stereo") << low;
        EXPECT_FALSE(mode->isEnabled());
    }
    frequency->setCurrentIndex(5);
    EXPECT_TRUE(mode->isEnabled());
    EXPECT_EQ(mode->currentText(), "Stereo");

    // A stored mono setting at a low rate opens on stereo as well.
    settings.OGGFreq = QStringLiteral("22,050 Hz");
    settings.OGGChMode = QStringLiteral("Mono");
    FormOGG reopened(settings, audio);
    EXPECT_EQ(Control<QComboBox>(reopened, "cmbChMode")->currentText(), "Stereo");
}

// Any stored mode text other than "Mono" opens as stereo and OK stores it so.
TEST(FormOGG, MisspeltModeCountsAsStereo) {
    OutputFormatSettings settings;
    settings.OGGChMode = QStringLiteral("Sterio");
    AudioFile audio;
    FormOGG dialog(settings, audio);
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbChMode")->currentText(), "Stereo");
    Click(dialog, "cmdOk");
    EXPECT_EQ(settings.OGGChMode, "Stereo");
}

TEST(FormOGG, QualityCaptionShowsOneOrTwoDecimals) {
    OutputFormatSettings settings;
    AudioFile audio;
    FormOGG dialog(settings, audio);
    auto* slider = Control<QSlider>(dialog, "sldrQuality");
    auto* frame = Control<QGroupBox>(dialog, "frmQuality");
    EXPECT_EQ(frame->title(), "Quality (Compression): 3.0");
    const std::pair<int, const char*> cases[] = {
        {0, "0.0"}, {555, "5.55"}, {1000, "10.0"}, {425, "4.25"}, {1, "0.01"}};
    for (const auto& [position, text] : cases) {
        slider->setValue(position);
        EXPECT_EQ(frame->title(), QStringLiteral("Quality (Compression): ") + text);
        EXPECT_EQ(dialog.Quality, position);
    }
}

TEST(FormOGG, OkInQualityModeStoresEverything) {
    OutputFormatSettings settings;
    settings.OGGchVbr = true;
    AudioFile audio;
    FormOGG dialog(settings, audio);
    Control<QComboBox>(dialog, "cmbFrequency")->setCurrentIndex(5);
    Control<QComboBox>(dialog, "cmbChMode")->setCurrentIndex(0);
    Click(dialog, "chQuality");
    Control<QSlider>(dialog, "sldrQuality")->setValue(725);
    Click(dialog, "cmdOk");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.OGGFreq, "48,000 Hz");
    EXPECT_EQ(settings.OGGChMode, "Mono");
    EXPECT_EQ(settings.OGGsldrQuality, 725);
    EXPECT_TRUE(settings.OGGchQuality);
    EXPECT_TRUE(settings.OGGchVbr); // kept ticked although quality mode wins
    EXPECT_EQ(audio.GetFormatDescription(), OggDescription(48000, 1, 128, 0, 0, 725));
}

TEST(FormOGG, OkInVbrModeHandsLimitsOver) {
    OutputFormatSettings settings;
    AudioFile audio;
    FormOGG dialog(settings, audio);
    Click(dialog, "chVbr");
    Control<QSlider>(dialog, "sldrMinBitrate")->setValue(7);  // 96
    Control<QSlider>(dialog, "sldrMaxBitrate")->setValue(11); // 192
    ASSERT_TRUE(audio.CheckOGGFormat(44100, 2, 128, 96, 192));
    Click(dialog, "cmdOk");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.OGGsldrMinBitrate, 96);
    EXPECT_EQ(settings.OGGsldrMaxBitrate, 192);
    EXPECT_TRUE(settings.OGGchVbr);
    EXPECT_EQ(audio.GetFormatDescription(), OggDescription(44100, 2, 128, 96, 192, -1));
}

// Constant bitrate is validated at 44,100 Hz and then set at the chosen rate.
TEST(FormOGG, ConstantBitrateIsCheckedAt44100) {
    AudioFile audio;
    OutputFormatSettings settings;
    FormOGG dialog(settings, audio);
    Control<QComboBox>(dialog, "cmbFrequency")->setCurrentIndex(0);
    Control<QSlider>(dialog, "sldrBitrate")->setValue(9); // 128
    ASSERT_TRUE(audio.CheckOGGFormat(44100, 2, 128, 0, 0));
    Click(dialog, "cmdOk");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.OGGFreq, "16,000 Hz");
    EXPECT_EQ(settings.OGGsldrBitrate, 128);
    EXPECT_EQ(audio.GetFormatDescription(), OggDescription(16000, 2, 128, 0, 0, -1));
}

TEST(FormOGG, RefusedFormatKeepsDialogOpenAndChangesNothing) {
    AudioFile audio;
    audio.SetWAVFormat(8000, 1, 8);
    const QString before = audio.GetFormatDescription();
    OutputFormatSettings settings;
    FormOGG dialog(settings, audio);
    Click(dialog, "chVbr");
    Control<QSlider>(dialog, "sldrMinBitrate")->setValue(14); // 320 above a 128 nominal
    Control<QSlider>(dialog, "sldrMaxBitrate")->setValue(0);
    ASSERT_FALSE(audio.CheckOGGFormat(44100, 2, 128, 320, 8));
    Click(dialog, "cmdOk");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    auto* box = dialog.findChild<QMessageBox*>(QStringLiteral("msgIncorrectFormat"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Incorrect format");
    EXPECT_EQ(box->windowTitle(), "Quillotap");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    box->accept();
    EXPECT_EQ(settings.OGGsldrMinBitrate, 128);
    EXPECT_FALSE(settings.OGGchVbr);
    EXPECT_EQ(audio.GetFormatDescription(), before);
}

TEST(FormOGG, CancelChangesNothing) {
    AudioFile audio;
    audio.SetWAVFormat(8000, 1, 8);
    const QString before = audio.GetFormatDescription();
    OutputFormatSettings settings;
    FormOGG dialog(settings, audio);
    Click(dialog, "chQuality");
    Control<QComboBox>(dialog, "cmbFrequency")->setCurrentIndex(0);
    Click(dialog, "cmdCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(settings.OGGchQuality);
    EXPECT_EQ(settings.OGGFreq, "44,100 Hz");
    EXPECT_EQ(audio.GetFormatDescription(), before);
}

} // namespace
