// Playback of recordings on the files page and the recorder page's "Play".
#include "app/FormMain.h"

#include "files/Playback.h"
#include "ui/PageMenu.h"
#include "ui_PageFiles.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace quillotap {

void FormMain::setUpPlayback() {
    playback_ = new Playback(state_,
                             {files_->PicSlider1, files_->AudioVisualizationEx21, files_->LabelTime,
                              files_->LabelFileName, files_->CmdPausePlay},
                             this);
    connect(files_->CmdPlay, &QPushButton::clicked, this, &FormMain::CmdPlay_Click);
    connect(files_->CmdPausePlay, &QPushButton::clicked, this, &FormMain::TogglePause);
    connect(files_->CmdStopPlay, &QPushButton::clicked, this, &FormMain::CmdStopPlay_Click);
    // The status line belongs to a running recording; the message box tells
    // either way.
    connect(playback_, &Playback::playbackFailed, this,
            [this](const QString& status, const QString& text) {
                if (!state_.RecordingActive)
                    statusLabel()->setText(status);
                showMessage(QMessageBox::Critical, tr("Error"), text);
            });
}

void FormMain::PlayFile(const QString& path) {
    playback_->PlayFile(path);
}

void FormMain::CmdPlay_Click() {
    if (const QTreeWidgetItem* item = CurrentRecording())
        PlayFile(state_.OutputFolder + item->text(0));
}

void FormMain::TogglePause() {
    playback_->TogglePause();
}

void FormMain::StopPlayback() {
    if (playback_)
        playback_->StopPlayback();
}

void FormMain::CmdStopPlay_Click() {
    StopPlayback();
}

void FormMain::CmdPlayNow_Click() {
    if (state_.OutputFilePath.isEmpty())
        return;
    // Showing the files page rebuilds the list if the recording is not in it
    // yet.
    pageMenu().PicMenu_Click(FilesPage);
    QTreeWidget* list = files_->ListViewFile;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->text(0) == state_.OutputFileName) {
            list->setCurrentItem(item);
            list->scrollToItem(item);
            list->setFocus();
            break;
        }
    }
    // The file plays even when the list does not show it.
    PlayFile(state_.OutputFilePath);
}

void FormMain::SeekPlayback() {
    playback_->SeekPlayback(files_->PicSlider1->value());
}

} // namespace quillotap
