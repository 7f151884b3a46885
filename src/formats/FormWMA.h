#pragma once

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace quillotap {

class AudioFile;
struct OutputFormatSettings;

// The WMA options: one of the audio-file object's 47 profiles, listed by its
// own descriptions, with three shortcuts for the usual choices. Listing the
// profiles leaves the audio-file object on the last one; OK sets the chosen
// profile, and after Cancel the owner's description refresh restores it.
class FormWMA : public QDialog {
    Q_OBJECT
public:
    FormWMA(OutputFormatSettings& settings, AudioFile& audioFile, QWidget* owner = nullptr);

    static constexpr int ProfileCount = 47;

private:
    void Load();
    void Combo1_Click(int position);
    void CmdOK_Click();

    OutputFormatSettings& settings_;
    AudioFile& audioFile_;
    QComboBox* combo_ = nullptr;
    QButtonGroup* shortcuts_ = nullptr;
    QRadioButton* options_[3] = {};
    QPushButton* ok_ = nullptr;
};

} // namespace quillotap
