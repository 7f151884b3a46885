#pragma once

#include "files/FileConverter.h"

#include <QDialog>
#include <QMessageBox>
#include <functional>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace quillotap {

class MP3Lame;
struct OutputFormatSettings;

// The converter dialog: turns one recording of the output folder into a new
// "New_" file of another (or the same) format beside it, with a progress bar
// and a Stop button. It cannot be closed while a conversion runs. A failure
// is reported as an error; a source that was cut off converts as far as it
// goes, with a warning that says so.
class FormConvert : public QDialog {
    Q_OBJECT
public:
    using MessageHandler =
        std::function<void(QMessageBox::Icon icon, const QString& title, const QString& text)>;
    // Asked before an existing file is replaced; true replaces it.
    using ReplaceQuestion = std::function<bool(const QString& fileName)>;

    // `outputFolder` ends in "/"; `sourceName` is a file name in it. The
    // settings and the MP3 description are the main window's current ones.
    FormConvert(const QString& outputFolder, const QString& sourceName, const MP3Lame& lame,
                const OutputFormatSettings& settings, const QString& mp3FormatStr,
                QWidget* owner = nullptr);

    // Where messages go; by default a message box over the dialog.
    void setMessageHandler(MessageHandler handler) { message_ = std::move(handler); }
    void setReplaceQuestion(ReplaceQuestion ask) { askReplace_ = std::move(ask); }

    FileConverter& converter() { return converter_; }

    void ComboFormat_Click();
    void CmdConvert_Click();
    void CmdStop_Click();

    // Name of the file a conversion to format `code` writes.
    static QString TargetName(const QString& sourceName, int code);

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setIdle(bool idle);
    bool mayReplace(const QString& fileName);
    void say(QMessageBox::Icon icon, const QString& title, const QString& text);

    QString folder_;
    QString SourceName;
    const MP3Lame& lame_;
    const OutputFormatSettings& settings_;
    QString mp3FormatStr_;
    FileConverter converter_;
    MessageHandler message_;
    ReplaceQuestion askReplace_;
    QLabel* LabelFrom = nullptr;
    QLabel* LabelTo = nullptr;
    QComboBox* ComboFormat = nullptr;
    QLabel* LabelFomartStr = nullptr;
    QProgressBar* ProgressConvert = nullptr;
    QPushButton* CmdConvert = nullptr;
    QPushButton* CmdStop = nullptr;
    QPushButton* CmdClose = nullptr;
};

} // namespace quillotap
