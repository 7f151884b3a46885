// The recordings list of the files page and the file operations on it.
#include "app/FormMain.h"

#include "files/FileCommands.h"
#include "files/FileTools.h"
#include "files/RecordingsList.h"
#include "settings/OutputFolderChooser.h"
#include "ui_PageFiles.h"

#include <QPushButton>
#include <QTreeWidget>

namespace quillotap {

void FormMain::setUpRecordingsList() {
    recordingsList_ = new RecordingsList(files_->ListViewFile, this);
    connect(folderChooser_, &OutputFolderChooser::folderChanged, recordingsList_,
            [this](const QString& folder) {
                recordingsList_->setFolder(folder);
                // At start-up the list is read once the settings are loaded.
                if (started_)
                    BuildRecordingsList();
            });
    const FileCommands::Hooks hooks{[this] { SuspendHotkeys(); }, [this] { ResumeHotkeys(); }};
    const auto message = [this](QMessageBox::Icon icon, const QString& title, const QString& text) {
        showMessage(icon, title, text);
    };
    fileCommands_ =
        new FileCommands(*this, *recordingsList_, *session_, *playback_, hooks, message, this);
    auto* tools = new FileTools(*this, *recordingsList_, *session_, *playback_, formats_, hooks,
                                message, this);
    connect(files_->CmdID3, &QPushButton::clicked, tools, &FileTools::EditTag);
    connect(files_->CmdConvert, &QPushButton::clicked, tools, &FileTools::Convert);
    connect(fileCommands_, &FileCommands::renamed, session_.get(), &RecordingSession::followRename);
    // A finished recording belongs in the list.
    connect(session_.get(), &RecordingSession::recordingStopped, recordingsList_,
            &RecordingsList::invalidate);
    connect(recordingsList_, &RecordingsList::playRequested, this, &FormMain::onPlayClicked);
    connect(recordingsList_, &RecordingsList::deleteRequested, this, &FormMain::DeleteRecording);
    connect(files_->CmdRefresh, &QPushButton::clicked, recordingsList_, &RecordingsList::Refresh);
    connect(files_->CmdRename, &QPushButton::clicked, fileCommands_, &FileCommands::Rename);
    connect(files_->CmdDelete, &QPushButton::clicked, this, &FormMain::DeleteRecording);
    connect(files_->CmdProper, &QPushButton::clicked, fileCommands_, &FileCommands::Properties);
}

void FormMain::BuildRecordingsList() {
    if (recordingsList_)
        recordingsList_->Build();
}

QTreeWidgetItem* FormMain::CurrentRecording() const {
    return recordingsList_ ? recordingsList_->CurrentRecording() : nullptr;
}

void FormMain::DeleteRecording() {
    if (fileCommands_)
        fileCommands_->Delete();
}

} // namespace quillotap
