#include "files/FileCommands.h"

#include "files/FileProperties.h"
#include "files/FormProperties.h"
#include "files/Playback.h"
#include "files/RecordingsList.h"
#include "recording/RecordingSession.h"

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
    explicit HotkeysSuspended(const FileCommands::Hooks& hooks) : hooks_(hooks) {
        if (hooks_.suspendHotkeys)
            hooks_.suspendHotkeys();
    }
    ~HotkeysSuspended() {
        if (hooks_.resumeHotkeys)
            hooks_.resumeHotkeys();
    }
    HotkeysSuspended(const HotkeysSuspended&) = delete;
    HotkeysSuspended& operator=(const HotkeysSuspended&) = delete;

private:
    const FileCommands::Hooks& hooks_;
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

FileCommands::FileCommands(QWidget& owner, RecordingsList& list, const RecordingSession& session,
                           Playback& playback, Hooks hooks, Message message, QObject* parent)
    : QObject(parent), owner_(owner), list_(list), session_(session), playback_(playback),
      hooks_(std::move(hooks)), message_(std::move(message)),
      properties_(new FileProperties(this)) {}

QString FileCommands::folder() const {
    return list_.folder();
}

bool FileCommands::isBeingRecorded(const QString& path) const {
    return session_.isRecording() && SamePath(path, session_.outputFilePath());
}

bool FileCommands::isInPlayer(const QString& path) const {
    return playback_.lastFile() == path;
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
        QInputDialog dialog(&owner_);
        dialog.setObjectName(QStringLiteral("RenameDialog"));
        dialog.setWindowTitle(RenameTitle());
        dialog.setLabelText(QCoreApplication::translate("quillotap::FileCommands",
                                                        "Please input the new name for file - ") +
                            oldName);
        dialog.setInputMode(QInputDialog::TextInput);
        dialog.setTextValue(oldName);
        HotkeysSuspended quiet(hooks_);
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

    if (isInPlayer(oldPath) && playback_.isActive())
        playback_.StopPlayback();
    const QString newPath = folder() + newName;
    if (const int error = RenameWithoutReplacing(oldPath, newPath)) {
        showError(RenameTitle(), QCoreApplication::translate("quillotap::FileCommands",
                                                             "Cannot rename \"%1\" to \"%2\": %3")
                                     .arg(oldName, newName, SystemReason(error)));
        return;
    }
    item->setText(RecordingsList::NameColumn, newName);
    emit renamed(oldPath, newPath);
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
            QMessageBox::Yes | QMessageBox::No, &owner_);
        question.setObjectName(QStringLiteral("DeleteQuestion"));
        HotkeysSuspended quiet(hooks_);
        if (question.exec() != QMessageBox::Yes)
            return;
    }
    if (isInPlayer(path))
        playback_.StopPlayback();
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT) {
        const int error = errno;
        showError(DeleteTitle(),
                  QCoreApplication::translate("quillotap::FileCommands", "Cannot delete \"%1\": %2")
                      .arg(path, SystemReason(error)));
    }
    list_.Refresh();
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
    FormProperties dialog(facts, &owner_);
    HotkeysSuspended quiet(hooks_);
    dialog.exec();
}

} // namespace quillotap
