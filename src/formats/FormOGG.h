#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSlider;

namespace quillotap {

class AudioFile;
struct OutputFormatSettings;

// The OGG Vorbis options: sample rate, channels and one of three modes
// (constant bitrate, VBR between limits, quality). OK asks the audio-file
// object whether it accepts a bitrate setting before storing anything.
class FormOGG : public QDialog {
    Q_OBJECT
public:
    FormOGG(OutputFormatSettings& settings, AudioFile& audioFile, QWidget* owner = nullptr);

    // Slider position of a bitrate in kbit/s; any value not offered gives 0.
    static int BitratePosition(int kbps);

    // Working values of this opening, copied to the settings by OK only.
    int Bitrate = 0;
    int MinBitrate = 0;
    int MaxBitrate = 0;
    int Quality = 0; // hundredths
    bool VbrEnabled = false;
    bool QualityEnabled = false;

private:
    void BuildControls();
    void Load();
    void cmbFrequency_Click();
    void chVbr_Click();
    void chQuality_Click();
    void sldrQuality_Change();
    void cmdOk_Click();
    bool ApplyOggSettings();

    OutputFormatSettings& settings_;
    AudioFile& audioFile_;
    QGroupBox* frmVbr_ = nullptr;
    QGroupBox* frmQuality_ = nullptr;
    QSlider* sldrBitrate_ = nullptr;
    QSlider* sldrMinBitrate_ = nullptr;
    QSlider* sldrMaxBitrate_ = nullptr;
    QSlider* sldrQuality_ = nullptr;
    QLabel* lblBitrate_ = nullptr;
    QLabel* lblMinBitrate_ = nullptr;
    QLabel* lblMaxBitrate_ = nullptr;
    QCheckBox* chVbr_ = nullptr;
    QCheckBox* chQuality_ = nullptr;
    QComboBox* cmbFrequency_ = nullptr;
    QComboBox* cmbChMode_ = nullptr;
};

} // namespace quillotap
