#include "settings/OutputFolderChooser.h"

#include "app/MainState.h"
#include "settings/M_Special.h"
#include "settings/OutputFolder.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace quillotap {

namespace {

QString AskForFolder(QWidget* owner, const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(owner, title, startFolder, QFileDialog::ShowDirsOnly);
}

void Call(const std::function<void()>& hook) {
    if (hook)
        hook();
}

} // namespace

OutputFolderChooser::OutputFolderChooser(MainState& state, QLineEdit* textPath, QWidget* owner,
                                         Hooks hooks, QObject* parent)
    : QObject(parent), state_(state), textPath_(textPath), owner_(owner), hooks_(std::move(hooks)),
      dialog_(AskForFolder), error_([owner](const QString& title, const QString& text) {
          QMessageBox::critical(owner, title, text);
      }) {}

void OutputFolderChooser::CmdBrowse_Click() {
    Call(hooks_.suspendHotkeys);
    const QString start = ChooserStartFolder(textPath_ ? textPath_->text() : QString());
    const QString chosen = dialog_(
        owner_,
        QCoreApplication::translate("quillotap::OutputFolderChooser", "Please select a directory."),
        start);
    if (chosen.isEmpty()) {
        Call(hooks_.resumeHotkeys);
        return;
    }
    if (!FolderExists(chosen)) {
        error_(QCoreApplication::translate("quillotap::OutputFolderChooser", "Error"),
               QCoreApplication::translate("quillotap::OutputFolderChooser", "Can not read ") +
                   chosen);
        Call(hooks_.resumeHotkeys);
        return;
    }
    state_.OutputFolder = WithTrailingSlash(chosen);
    if (textPath_)
        textPath_->setText(state_.OutputFolder);
    state_.FileListStale = true;
    Call(hooks_.buildRecordingsList);
    Call(hooks_.resumeHotkeys);
}

} // namespace quillotap
