// The recordings list of the files page and the file operations on it.
#include "app/FormMain.h"

#include "files/FileCommands.h"
#include "files/RecordingsList.h"
#include "ui_PageFiles.h"

#include <QPushButton>
#include <QTreeWidget>

namespace quillotap {

void FormMain::setUpRecordingsList() {
    recordingsList_ = new RecordingsList(files_->ListViewFile, state_, this);
    fileCommands_ = new FileCommands(
        *this, *recordingsList_,
        [this](QMessageBox::Icon icon, const QString& title, const QString& text) {
            showMessage(icon, title, text);
        },
        this);
    connect(recordingsList_, &RecordingsList::playRequested, this, &FormMain::CmdPlay_Click);
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
