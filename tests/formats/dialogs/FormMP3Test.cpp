#include "formats/FormMP3.h"

#include "DialogTestSupport.h"
#include "audio/AudioFile.h"
#include "audio/AudioInformation.h"
#include "formats/Mp3Settings.h"
#include "settings/Settings.h"
#include "settings/TempConfigHome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>

using namespace quillotap;
using quillotap::test::Click;
using quillotap::test::Control;

namespace {

// Each test gets its own empty settings store for the ID3 defaults.
class FormMP3Test : public quillotap::test::TempConfigHome {
protected:
    MP3Lame lame;
    AudioFile audio;
    QString formatStr = QStringLiteral("unchanged");
    ID3Defaults id3;
};

std::string Enabled(FormMP3& dialog, std::initializer_list<const char*> names) {
    std::string states;
    for (const char* name : names)
        states += Control<QWidget>(dialog, name)->isEnabled() ? '1' : '0';
    return states;
}

void LeaveBox(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(edit, &out);
}

TEST_F(FormMP3Test, OpensOnStoredValues) {
    lame.SampleRate = 11025;
    lame.Quality = 2;
    lame.Bitrate = 160;
    lame.VbrBitrate = 256;
    lame.VbrCodingMethod = 3;
    lame.TypeStereo = 3;
    lame.StrictlyEnforceMinBitrate = true;
    WriteSetting(QStringLiteral("ID3_Artist"), QStringLiteral("Band"));
    WriteSetting(QStringLiteral("ID3_Genre"), QStringLiteral("17"));
    FormMP3 dialog(lame, audio, formatStr, id3);
    EXPECT_EQ(dialog.windowTitle(), "MP3 Option");
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbFrequency")->currentText(), "11 025 Hz");
    EXPECT_EQ(Control<QSlider>(dialog, "sldrQuality")->value(), 2);
    EXPECT_EQ(Control<QGroupBox>(dialog, "frmQuality")->title(), "Encoder Quality: 2");
    EXPECT_EQ(Control<QSlider>(dialog, "sldrBitrate")->value(), 10);
    EXPECT_EQ(Control<QGroupBox>(dialog, "frmBitrate")->title(), "Current bitrate: 160 kbit");
    EXPECT_EQ(Control<QLabel>(dialog, "lblVbrBitrate")->text(), "VBR Bitrate: 256 kbit");
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbVBRCodingMethod")->currentText(), "MTRH");
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbChMode")->currentText(), "Forced Joint Stereo");
    EXPECT_TRUE(Control<QCheckBox>(dialog, "chStrictlyEnforceMinBitrate")->isChecked());
    EXPECT_EQ(Control<QLineEdit>(dialog, "infoArtist")->text(), "Band");
    EXPECT_EQ(Control<QComboBox>(dialog, "infoGenre")->currentIndex(), 17);
    auto* genres = Control<QComboBox>(dialog, "infoGenre");
    ASSERT_EQ(genres->count(), 148);
    for (int code : {0, 17, 79, 80, 125, 147})
        EXPECT_EQ(genres->itemText(code), AudioInformation::GenreName(code)) << code;
    EXPECT_EQ(genres->itemText(0), "Blues");
    EXPECT_EQ(Control<QLineEdit>(dialog, "infoYear")->text(),
              QString::number(QDate::currentDate().year()));
    EXPECT_EQ(Control<QLineEdit>(dialog, "infoTrack")->text(), "1");
    EXPECT_EQ(Control<QLabel>(dialog, "lblAbrBitrate")->text(), "Targed bitrate for ABR:");
    quillotap::test::ExpectAccessibleNames(dialog);
    quillotap::test::SaveShot(dialog, "FormMP3");
    Control<QTabWidget>(dialog, "TabStrip1")->setCurrentIndex(1);
    quillotap::test::SaveShot(dialog, "FormMP3-VBR");
}

TEST_F(FormMP3Test, OkAppliesEncoderSettingsAndWritesTag) {
    FormMP3 dialog(lame, audio, formatStr, id3);
    Control<QComboBox>(dialog, "cmbFrequency")->setCurrentIndex(0);
    Control<QSlider>(dialog, "sldrBitrate")->setValue(3);
    Control<QSlider>(dialog, "sldrQuality")->setValue(9);
    Control<QComboBox>(dialog, "cmbVBRCodingMethod")->setCurrentIndex(2);
    Control<QComboBox>(dialog, "txtVbrQuality")->setEditText(QStringLiteral("4"));
    Control<QSlider>(dialog, "sldrVbrBitrate")->setValue(14);
    Control<QComboBox>(dialog, "cmbChMode")->setCurrentIndex(4);
    Click(dialog, "chWriteVBRHeader");
    Control<QLineEdit>(dialog, "infoTitle")->setText(QStringLiteral("Memo"));
    Control<QComboBox>(dialog, "infoGenre")->setCurrentIndex(101);
    Click(dialog, "CmdOK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(lame.SampleRate, 8000);
    EXPECT_EQ(lame.Bitrate, 32);
    EXPECT_EQ(lame.Quality, 9);
    EXPECT_EQ(lame.VbrCodingMethod, 1);
    EXPECT_EQ(lame.VbrQuality, 4);
    EXPECT_EQ(lame.VbrBitrate, 320);
    EXPECT_EQ(lame.Channels, 2);
    EXPECT_EQ(lame.TypeStereo, 4);
    EXPECT_FALSE(lame.WritingVBRHeader);
    // The component's own text, with "Hz" for its "kHz" and without its
    // trailing separator.
    EXPECT_EQ(formatStr, "MP3 8,000 Hz; Dual Channels; Quality 4; 32-320 Kbps");
    EXPECT_EQ(ReadSetting(QStringLiteral("ID3_Title")), "Memo");
    EXPECT_EQ(ReadSetting(QStringLiteral("ID3_Genre")), "101");
    EXPECT_EQ(id3.Title, "Memo");
    EXPECT_EQ(id3.Genre, "101");
}

TEST_F(FormMP3Test, CancelAfterPresetChangesNothing) {
    const MP3Lame before = lame;
    FormMP3 dialog(lame, audio, formatStr, id3);
    Control<QTabWidget>(dialog, "TabStrip1")->setCurrentIndex(2);
    Click(dialog, "opPreset_1");
    EXPECT_EQ(Control<QTabWidget>(dialog, "TabStrip1")->currentIndex(), 0);
    MP3Lame phone;
    phone.Preset(1);
    EXPECT_EQ(Control<QGroupBox>(dialog, "frmBitrate")->title(),
              QStringLiteral("Current bitrate: %1 kbit").arg(phone.Bitrate));
    Control<QLineEdit>(dialog, "infoTitle")->setText(QStringLiteral("Lost"));
    Click(dialog, "CmdCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(lame, before);
    EXPECT_EQ(formatStr, "unchanged");
    EXPECT_EQ(ReadSetting(QStringLiteral("ID3_Title")), "");
}

TEST_F(FormMP3Test, PresetThenOkStoresThePreset) {
    FormMP3 dialog(lame, audio, formatStr, id3);
    Click(dialog, "opPreset_9");
    Click(dialog, "CmdOK");
    MP3Lame cd;
    cd.Preset(9);
    EXPECT_EQ(lame.SampleRate, cd.SampleRate);
    EXPECT_EQ(lame.Bitrate, cd.Bitrate);
    EXPECT_EQ(lame.VbrCodingMethod, cd.VbrCodingMethod);
    EXPECT_EQ(lame.Channels, cd.Channels);
}

TEST_F(FormMP3Test, VbrPageFollowsCodingMethod) {
    FormMP3 dialog(lame, audio, formatStr, id3);
    auto* method = Control<QComboBox>(dialog, "cmbVBRCodingMethod");
    const auto controls = {"lblVbrQuality",    "txtVbrQuality",
                           "lblAbrBitrate",    "txtAbrBitrate",
                           "frmVbrBitrate",    "sldrVbrBitrate",
                           "lblVbrBitrate",    "frmVbrAdvanced",
                           "chWriteVBRHeader", "chStrictlyEnforceMinBitrate"};
    EXPECT_EQ(Enabled(dialog, controls), "0000000000");
    for (int vbr : {1, 2, 3, 4}) {
        method->setCurrentIndex(vbr);
        EXPECT_EQ(Enabled(dialog, controls), "1100111111") << vbr;
    }
    method->setCurrentIndex(5);
    EXPECT_EQ(Enabled(dialog, controls), "0011111111");
    method->setCurrentIndex(0);
    EXPECT_EQ(Enabled(dialog, controls), "0000000000");
}

// Stored values the controls do not offer: 96000 Hz selects no rate and
// survives OK; 80 kbit/s is shown in the caption but OK takes the slider's.
TEST_F(FormMP3Test, UnofferedRateAndBitrate) {
    lame.SampleRate = 96000;
    lame.Bitrate = 80;
    FormMP3 dialog(lame, audio, formatStr, id3);
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbFrequency")->currentIndex(), -1);
    EXPECT_EQ(Control<QGroupBox>(dialog, "frmBitrate")->title(), "Current bitrate: 80 kbit");
    const int position = Control<QSlider>(dialog, "sldrBitrate")->value();
    Click(dialog, "CmdOK");
    EXPECT_EQ(lame.SampleRate, 96000);
    EXPECT_EQ(lame.Bitrate, BitrateSteps[static_cast<std::size_t>(position)]);
}

TEST_F(FormMP3Test, MonoKeepsStereoType) {
    lame.TypeStereo = 2;
    {
        FormMP3 dialog(lame, audio, formatStr, id3);
        Control<QComboBox>(dialog, "cmbChMode")->setCurrentIndex(0);
        Click(dialog, "CmdOK");
    }
    EXPECT_EQ(lame.Channels, 1);
    EXPECT_EQ(lame.TypeStereo, 2);
    FormMP3 reopened(lame, audio, formatStr, id3);
    EXPECT_EQ(Control<QComboBox>(reopened, "cmbChMode")->currentText(), "Mono");
    Control<QComboBox>(reopened, "cmbChMode")->setCurrentIndex(1);
    Click(reopened, "CmdOK");
    EXPECT_EQ(lame.Channels, 2);
    EXPECT_EQ(lame.TypeStereo, 1);
}

TEST_F(FormMP3Test, TypedAbrTargetOutsideListIsTakenWordsAreNot) {
    lame.VbrCodingMethod = 4;
    {
        FormMP3 dialog(lame, audio, formatStr, id3);
        Control<QComboBox>(dialog, "txtAbrBitrate")->setEditText(QStringLiteral("400"));
        Click(dialog, "CmdOK");
    }
    EXPECT_EQ(lame.AbrBitrate, 400);
    FormMP3 dialog(lame, audio, formatStr, id3);
    Control<QComboBox>(dialog, "txtAbrBitrate")->setEditText(QStringLiteral("fast"));
    Control<QComboBox>(dialog, "txtVbrQuality")->setEditText(QStringLiteral("x"));
    Click(dialog, "CmdOK");
    EXPECT_EQ(lame.AbrBitrate, 400);
    EXPECT_EQ(lame.VbrQuality, 7);
}

TEST_F(FormMP3Test, YearAndTrackKeepLeadingNumberOnLeaving) {
    FormMP3 dialog(lame, audio, formatStr, id3);
    auto* year = Control<QLineEdit>(dialog, "infoYear");
    auto* track = Control<QLineEdit>(dialog, "infoTrack");
    const std::pair<const char*, const char*> cases[] = {
        {"19a9", "19"}, {"12b", "12"}, {"", "0"}, {"ab", "0"}, {"7.5", "7.5"}};
    for (const auto& [typed, kept] : cases) {
        LeaveBox(year, QString::fromLatin1(typed));
        EXPECT_EQ(year->text(), kept) << typed;
        LeaveBox(track, QString::fromLatin1(typed));
        EXPECT_EQ(track->text(), kept) << typed;
    }
}

} // namespace
