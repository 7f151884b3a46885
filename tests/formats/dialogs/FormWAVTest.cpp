#include "formats/FormWAV.h"

#include "DialogTestSupport.h"
#include "audio/AudioFile.h"
#include "formats/OutputFormatSettings.h"

#include <QRadioButton>

using namespace quillotap;
using quillotap::test::Click;
using quillotap::test::Control;

namespace {

QString WavDescription(int rate, int channels, int bits) {
    AudioFile reference;
    reference.SetWAVFormat(rate, channels, bits);
    return reference.GetFormatDescription();
}

bool Checked(FormWAV& dialog, const char* name) {
    auto* button = Control<QRadioButton>(dialog, name);
    return button && button->isChecked();
}

TEST(FormWAV, OpensOnStoredValues) {
    OutputFormatSettings settings;
    settings.WAVFreq = 11025;
    settings.WAVChannel = 1;
    settings.WAVBit = 8;
    AudioFile audio;
    FormWAV dialog(settings, audio);
    EXPECT_EQ(dialog.windowTitle(), "WAV Option");
    EXPECT_TRUE(Checked(dialog, "F2"));
    EXPECT_FALSE(Checked(dialog, "F7"));
    EXPECT_TRUE(Checked(dialog, "P1"));
    EXPECT_TRUE(Checked(dialog, "B1"));
    EXPECT_EQ(Control<QRadioButton>(dialog, "F2")->text(), "11025 ");
    quillotap::test::ExpectAccessibleNames(dialog);
    quillotap::test::SaveShot(dialog, "FormWAV");
}

TEST(FormWAV, OkStoresChoiceAndHandsItToAudioFile) {
    OutputFormatSettings settings;
    AudioFile audio;
    FormWAV dialog(settings, audio);
    Click(dialog, "F8");
    Click(dialog, "P1");
    Click(dialog, "B1");
    Click(dialog, "cmdOk");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.WAVFreq, 48000);
    EXPECT_EQ(settings.WAVChannel, 1);
    EXPECT_EQ(settings.WAVBit, 8);
    EXPECT_EQ(audio.GetFormatDescription(), WavDescription(48000, 1, 8));
}

TEST(FormWAV, CancelChangesNothing) {
    OutputFormatSettings settings;
    settings.WAVFreq = 8000;
    AudioFile audio;
    audio.SetWAVFormat(8000, 2, 16);
    FormWAV dialog(settings, audio);
    Click(dialog, "F3");
    Click(dialog, "B1");
    Click(dialog, "cmdCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.WAVFreq, 8000);
    EXPECT_EQ(settings.WAVBit, 16);
    EXPECT_EQ(audio.GetFormatDescription(), WavDescription(8000, 2, 16));
}

// Values the dialog does not offer open on the built-in choices, which OK
// then stores in their place.
TEST(FormWAV, UnofferedValuesFallBackToBuiltInChoices) {
    OutputFormatSettings settings;
    settings.WAVFreq = 96000;
    settings.WAVChannel = 3;
    settings.WAVBit = 24;
    AudioFile audio;
    FormWAV dialog(settings, audio);
    EXPECT_TRUE(Checked(dialog, "F7"));
    EXPECT_TRUE(Checked(dialog, "P2"));
    EXPECT_TRUE(Checked(dialog, "B2"));
    Click(dialog, "cmdOk");
    EXPECT_EQ(settings.WAVFreq, 44100);
    EXPECT_EQ(settings.WAVChannel, 2);
    EXPECT_EQ(settings.WAVBit, 16);
}

} // namespace
