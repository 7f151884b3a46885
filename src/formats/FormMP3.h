#pragma once

#include "audio/MP3Lame.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace quillotap {

class AudioFile;
struct ID3Defaults;

// The MP3 options on four tabs: general encoder settings, VBR, presets and
// the default ID3 tag. OK hands the encoder settings to the audio-file
// object and writes the tag defaults at once; Cancel changes nothing.
class FormMP3 : public QDialog {
    Q_OBJECT
public:
    FormMP3(MP3Lame& lame, AudioFile& audioFile, QString& mp3FormatStr, ID3Defaults& id3,
            QWidget* owner = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildGeneralPage();
    QWidget* BuildVbrPage();
    QWidget* BuildPresetPage();
    QWidget* BuildId3Page();
    void LoadId3Page();
    void ShowEncoderSettings(const MP3Lame& encoder);
    void cmbVBRCodingMethod_Click();
    void opPreset_Click(int index);
    void CmdOK_Click();
    void ApplyEncoderSettings();
    void SaveId3Defaults();

    MP3Lame& lame_;
    AudioFile& audioFile_;
    QString& mp3FormatStr_;
    ID3Defaults& id3_;
    // Computes presets only; they reach lame_ through the controls and OK.
    MP3Lame presetEncoder_;

    QTabWidget* tabs_ = nullptr;
    QGroupBox* frmBitrate_ = nullptr;
    QGroupBox* frmQuality_ = nullptr;
    QSlider* sldrBitrate_ = nullptr;
    QSlider* sldrQuality_ = nullptr;
    QComboBox* cmbFrequency_ = nullptr;
    QComboBox* cmbChMode_ = nullptr;
    QComboBox* cmbVBRCodingMethod_ = nullptr;
    QLabel* lblVbrQuality_ = nullptr;
    QComboBox* txtVbrQuality_ = nullptr;
    QLabel* lblAbrBitrate_ = nullptr;
    QComboBox* txtAbrBitrate_ = nullptr;
    QGroupBox* frmVbrBitrate_ = nullptr;
    QSlider* sldrVbrBitrate_ = nullptr;
    QLabel* lblVbrBitrate_ = nullptr;
    QGroupBox* frmVbrAdvanced_ = nullptr;
    QCheckBox* chWriteVBRHeader_ = nullptr;
    QCheckBox* chStrictlyEnforceMinBitrate_ = nullptr;
    QLineEdit* infoTitle_ = nullptr;
    QLineEdit* infoArtist_ = nullptr;
    QLineEdit* infoAlbum_ = nullptr;
    QLineEdit* infoYear_ = nullptr;
    QLineEdit* infoTrack_ = nullptr;
    QLineEdit* infoComment_ = nullptr;
    QComboBox* infoGenre_ = nullptr;
};

} // namespace quillotap
