#pragma once

#include <QDialog>
#include <array>

class QRadioButton;
class QPushButton;

namespace quillotap {

class AudioFile;
struct OutputFormatSettings;

// The WAV options: sample rate, channels and sample size from fixed choices.
// OK stores the choice and hands it to the audio-file object; Cancel and the
// close box change nothing.
class FormWAV : public QDialog {
    Q_OBJECT
public:
    FormWAV(OutputFormatSettings& settings, AudioFile& audioFile, QWidget* owner = nullptr);

    static constexpr std::array<int, 8> Frequencies{8000,  11025, 16000, 22050,
                                                    24000, 32000, 44100, 48000};

private:
    void Load();
    void cmdOk_Click();

    OutputFormatSettings& settings_;
    AudioFile& audioFile_;
    std::array<QRadioButton*, 8> freq_{};
    QRadioButton* mono_ = nullptr;
    QRadioButton* stereo_ = nullptr;
    QRadioButton* bits8_ = nullptr;
    QRadioButton* bits16_ = nullptr;
};

} // namespace quillotap
