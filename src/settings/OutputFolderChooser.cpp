#include "settings/OutputFolderChooser.h"

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

OutputFolderChooser::OutputFolderChooser(QLineEdit* textPath, QWidget* owner, Hooks hooks,
                                         QObject* parent)
    : QObject(parent), textPath_(textPath), owner_(owner), hooks_(std::move(hooks)),
      dialog_(AskForFolder), error_([owner](const QString& title, const QString& text) {
          QMessageBox::critical(owner, title, text);
      }) {}

void OutputFolderChooser::setFolder(const QString& folder) {
    folder_ = folder;
    emit folderChanged(folder_);
}

void OutputFolderChooser::browse() {
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
    folder_ = WithTrailingSlash(chosen);
    if (textPath_)
        textPath_->setText(folder_);
    emit folderChanged(folder_);
    Call(hooks_.resumeHotkeys);
}

} // namespace quillotap
