#pragma once

#include <QDialog>

class QLabel;
class QRadioButton;
class QSlider;

namespace quillotap {

class AudioFile;
struct OutputFormatSettings;

// The FLAC options: compression level 0..8 and 16 or 24 bit samples. OK
// stores the choice and hands it to the audio-file object; Cancel and the
// close box change nothing.
class FormFLAC : public QDialog {
    Q_OBJECT
public:
    FormFLAC(OutputFormatSettings& settings, AudioFile& audioFile, QWidget* owner = nullptr);

private:
    void Load();
    void sldrLevel_Change(int level);
    void cmdOk_Click();

    OutputFormatSettings& settings_;
    AudioFile& audioFile_;
    QSlider* sldrLevel_ = nullptr;
    QLabel* lblLevel_ = nullptr;
    QRadioButton* bits16_ = nullptr;
    QRadioButton* bits24_ = nullptr;
};

} // namespace quillotap
