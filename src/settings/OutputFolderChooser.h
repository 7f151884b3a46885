// The folder recordings go to, and the "Browse..." button of the options page
// that lets the user pick it. The hotkeys are switched off while the chooser is open,
// so that no hotkey starts a recording into a folder that is about to change.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

namespace quillotap {

class OutputFolderChooser : public QObject {
    Q_OBJECT
public:
    // Asks for a folder: returns the chosen path, or "" when cancelled.
    using FolderDialog =
        std::function<QString(QWidget* owner, const QString& title, const QString& startFolder)>;
    // Shows an error message with the error icon.
    using ErrorMessage = std::function<void(const QString& title, const QString& text)>;

    struct Hooks {
        std::function<void()> suspendHotkeys;
        std::function<void()> resumeHotkeys;
    };

    // `textPath` shows the folder; `owner` owns the dialogs.
    OutputFolderChooser(QLineEdit* textPath, QWidget* owner, Hooks hooks,
                        QObject* parent = nullptr);

    // The output folder, ending in "/" ("" before the settings load).
    const QString& folder() const { return folder_; }
    // Sets the folder (as the settings load finds it) and announces it.
    void setFolder(const QString& folder);

    // Defaults: QFileDialog::getExistingDirectory and a QMessageBox.
    void setFolderDialog(FolderDialog dialog) { dialog_ = std::move(dialog); }
    void setErrorMessage(ErrorMessage message) { error_ = std::move(message); }

    // The click on "Browse...".
    void browse();

signals:
    // The output folder is now `folder` (ending in "/").
    void folderChanged(const QString& folder);

private:
    QString folder_;
    QLineEdit* textPath_;
    QWidget* owner_;
    Hooks hooks_;
    FolderDialog dialog_;
    ErrorMessage error_;
};

} // namespace quillotap
