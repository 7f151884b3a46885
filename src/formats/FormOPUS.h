#pragma once

#include <QDialog>

class QLabel;
class QRadioButton;
class QSlider;

namespace quillotap {

class AudioFile;
struct OutputFormatSettings;

// The Opus options: bitrate 6..256 kbit/s and tuning for voice or music. OK
// stores the choice and hands it to the audio-file object; Cancel and the
// close box change nothing.
class FormOPUS : public QDialog {
    Q_OBJECT
public:
    FormOPUS(OutputFormatSettings& settings, AudioFile& audioFile, QWidget* owner = nullptr);

private:
    void Load();
    void sldrBitrate_Change(int kbps);
    void cmdOk_Click();

    OutputFormatSettings& settings_;
    AudioFile& audioFile_;
    QSlider* sldrBitrate_ = nullptr;
    QLabel* lblBitrate_ = nullptr;
    QRadioButton* voice_ = nullptr;
    QRadioButton* music_ = nullptr;
};

} // namespace quillotap
