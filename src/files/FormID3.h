#pragma once

#include "audio/AudioInformation.h"

#include <QDialog>
#include <QMessageBox>
#include <functional>
#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quillotap {

// The ID3 tag editor: shows the seven tag fields of one MP3 file and writes
// them back on Save. Cancel and Escape close it without writing.
class FormID3 : public QDialog {
    Q_OBJECT
public:
    using MessageHandler =
        std::function<void(QMessageBox::Icon icon, const QString& title, const QString& text)>;

    explicit FormID3(const QString& tagFile, QWidget* owner = nullptr);
    ~FormID3() override;

    // Where messages go; by default a message box over the dialog.
    void setMessageHandler(MessageHandler handler) { message_ = std::move(handler); }

    // Reads the tag into the fields. A file that is not there is reported
    // and gives false: the dialog must not be shown then.
    bool Load();

    // Writes the fields into the file and closes the dialog; a write that
    // fails is reported and the dialog stays open with the user's input.
    // A genre the list does not hold shows no selection, and is kept in the
    // file unless another genre is chosen.
    void CmdSave_Click();

    const QString& tagFile() const { return TagFile; }

private:
    void say(QMessageBox::Icon icon, const QString& title, const QString& text);

    QString TagFile;
    std::unique_ptr<AudioInformation> TagReader;
    MessageHandler message_;
    QLineEdit* infoTitle_ = nullptr;
    QLineEdit* infoArtist_ = nullptr;
    QLineEdit* infoAlbum_ = nullptr;
    QComboBox* infoGenre_ = nullptr;
    QLineEdit* infoYear_ = nullptr;
    QLineEdit* infoTrack_ = nullptr;
    QLineEdit* infoComment_ = nullptr;
};

} // namespace quillotap
