#include "files/FileCommands.h"

#include "app/FormMain.h"
#include "files/FileProperties.h"
#include "files/FormProperties.h"
#include "files/RecordingsList.h"
#include "ui_PageFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QPointer>
#include <QTreeWidgetItem>

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quillotap {

namespace {

QString RenameTitle() {
    return QCoreApplication::translate("quillotap::FileCommands", "Rename file");
}
QString DeleteTitle() {
    return QCoreApplication::translate("quillotap::FileCommands", "Delete file");
}
const QString ProgramTitle = QStringLiteral("Quillotap");

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Keeps the hotkeys off while a dialog of ours is open.
class HotkeysSuspended {
public:
    explicit HotkeysSuspended(FormMain& form) : form_(form) { form_.SuspendHotkeys(); }
    ~HotkeysSuspended() { form_.ResumeHotkeys(); }
    HotkeysSuspended(const HotkeysSuspended&) = delete;
    HotkeysSuspended& operator=(const HotkeysSuspended&) = delete;

private:
    FormMain& form_;
};

bool SamePath(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (a == b)
        return true;
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

int RenameByLinking(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::link(source.constData(), target.constData()) != 0)
        return errno;
    if (::unlink(source.constData()) != 0) {
        const int error = errno;
        ::unlink(target.constData());
        return error;
    }
    return 0;
}

int RenameWithoutReplacing(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return 0;
    const int error = errno;
    // Kernels or file systems without the flag answer EINVAL or ENOSYS.
    if (error == EINVAL || error == ENOSYS || error == EOPNOTSUPP)
        return RenameByLinking(from, to);
    return error;
}

QString NewNameProblem(const QString& name) {
    if (name.trimmed().isEmpty())
        return QCoreApplication::translate("quillotap::FileCommands",
                                           "Please type a name for the file.");
    if (name.contains(QChar(u'\0')))
        return QCoreApplication::translate("quillotap::FileCommands",
                                           "A file name cannot contain a NUL character.");
    if (name.contains(QLatin1Char('/')))
        return QCoreApplication::translate(
            "quillotap::FileCommands",
            "A file name cannot contain \"/\": the file stays in its folder.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QCoreApplication::translate("quillotap::FileCommands",
                                           "\"%1\" cannot be used as a file name.")
            .arg(name);
    return QString();
}

QString WithExtension(const QString& name, const QString& oldName) {
    // The dot and everything after it: ".mp3", but also ".flac" and ".opus".
    const qsizetype dot = oldName.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot >= 0 ? oldName.mid(dot) : oldName.right(4);
    if (name.endsWith(extension, Qt::CaseInsensitive))
        return name;
    return name + extension;
}

FileCommands::FileCommands(FormMain& form, RecordingsList& list, Message message, QObject* parent)
    : QObject(parent), form_(form), list_(list), message_(std::move(message)),
      properties_(new FileProperties(this)) {}

QString FileCommands::folder() const {
    return form_.state().OutputFolder;
}

bool FileCommands::isBeingRecorded(const QString& path) const {
    return form_.state().RecordingActive && SamePath(path, form_.state().OutputFilePath);
}

bool FileCommands::isInPlayer(const QString& path) const {
    return form_.filesUi().LabelFileName->text() == path;
}

void FileCommands::showError(const QString& title, const QString& text) {
    message_(QMessageBox::Critical, title, text);
}

void FileCommands::Rename() {
    if (!list_.CurrentRecording())
        return;
    QTreeWidgetItem* item = list_.SelectedRecording();
    if (!item) {
        showError(RenameTitle(), QCoreApplication::translate("quillotap::FileCommands",
                                                             "Please select the file to rename."));
        return;
    }
    const QString oldName = item->text(RecordingsList::NameColumn);
    const QString oldPath = folder() + oldName;
    if (isBeingRecorded(oldPath)) {
        showError(RenameTitle(),
                  QCoreApplication::translate("quillotap::FileCommands",
                                              "The file - %1 is being recorded. It can be renamed "
                                              "when the recording has stopped.")
                      .arg(oldName));
        return;
    }

    QString answer;
    {
        QInputDialog dialog(&form_);
        dialog.setObjectName(QStringLiteral("RenameDialog"));
        dialog.setWindowTitle(RenameTitle());
        dialog.setLabelText(QCoreApplication::translate("quillotap::FileCommands",
                                                        "Please input the new name for file - ") +
                            oldName);
        dialog.setInputMode(QInputDialog::TextInput);
        dialog.setTextValue(oldName);
        HotkeysSuspended quiet(form_);
        if (dialog.exec() != QDialog::Accepted)
            return;
        answer = dialog.textValue();
    }
    if (answer.isEmpty())
        return;
    // Blanks around a typed name are almost always a slip of the keyboard.
    const QString typed = answer.trimmed();
    const QString problem = NewNameProblem(typed);
    if (!problem.isEmpty()) {
        showError(RenameTitle(), problem);
        return;
    }
    const QString newName = WithExtension(typed, oldName);
    if (newName == oldName)
        return;

    MainState& state = form_.state();
    if (isInPlayer(oldPath) && state.PlayerActive)
        form_.StopPlayback();
    const QString newPath = folder() + newName;
    if (const int error = RenameWithoutReplacing(oldPath, newPath)) {
        showError(RenameTitle(), QCoreApplication::translate("quillotap::FileCommands",
                                                             "Cannot rename \"%1\" to \"%2\": %3")
                                     .arg(oldName, newName, SystemReason(error)));
        return;
    }
    item->setText(RecordingsList::NameColumn, newName);
    // The recorder page's "Play" follows the last recording to its new name.
    if (state.OutputFilePath == oldPath) {
        state.OutputFilePath = newPath;
        state.OutputFileName = newName;
    }
}

void FileCommands::Delete() {
    QTreeWidgetItem* item = list_.CurrentRecording();
    if (!item)
        return;
    const QString path = folder() + item->text(RecordingsList::NameColumn);
    if (isBeingRecorded(path)) {
        showError(DeleteTitle(),
                  QCoreApplication::translate("quillotap::FileCommands",
                                              "The file - %1 is being recorded. It can be deleted "
                                              "when the recording has stopped.")
                      .arg(path));
        return;
    }
    {
        QMessageBox question(
            QMessageBox::Question, ProgramTitle,
            QCoreApplication::translate("quillotap::FileCommands", "Delete file -'") + path +
                QStringLiteral("'?"),
            QMessageBox::Yes | QMessageBox::No, &form_);
        question.setObjectName(QStringLiteral("DeleteQuestion"));
        HotkeysSuspended quiet(form_);
        if (question.exec() != QMessageBox::Yes)
            return;
    }
    if (isInPlayer(path))
        form_.StopPlayback();
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT) {
        const int error = errno;
        showError(DeleteTitle(),
                  QCoreApplication::translate("quillotap::FileCommands", "Cannot delete \"%1\": %2")
                      .arg(path, SystemReason(error)));
    }
    form_.state().FileListStale = true;
    form_.BuildRecordingsList();
}

void FileCommands::Properties() {
    QTreeWidgetItem* item = list_.CurrentRecording();
    if (!item)
        return;
    const QString path = folder() + item->text(RecordingsList::NameColumn);
    if (!QFileInfo(path).isFile()) {
        message_(QMessageBox::NoIcon, ProgramTitle,
                 QCoreApplication::translate("quillotap::FileCommands", "Error"));
        return;
    }
    QPointer<FileCommands> self(this);
    properties_->Show(path, [self, path](bool shown, const QString&) {
        if (self && !shown)
            self->showOwnProperties(path);
    });
}

void FileCommands::showOwnProperties(const QString& path) {
    const RecordingFacts facts = RecordingFacts::Read(path);
    if (!facts.exists) {
        message_(QMessageBox::NoIcon, ProgramTitle,
                 QCoreApplication::translate("quillotap::FileCommands", "Error"));
        return;
    }
    FormProperties dialog(facts, &form_);
    HotkeysSuspended quiet(form_);
    dialog.exec();
}

} // namespace quillotap
