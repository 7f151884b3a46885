// Playback of recordings on the files page and the recorder page's "Play".
#include "app/FormMain.h"

#include "files/Playback.h"
#include "files/RecordingsList.h"
#include "ui/PageMenu.h"
#include "ui_PageFiles.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace quillotap {

void FormMain::setUpPlayback() {
    playback_ = new Playback({files_->PicSlider1, files_->AudioVisualizationEx21, files_->LabelTime,
                              files_->LabelFileName, files_->CmdPausePlay},
                             this);
    connect(files_->CmdPlay, &QPushButton::clicked, this, &FormMain::onPlayClicked);
    connect(files_->CmdPausePlay, &QPushButton::clicked, this, &FormMain::TogglePause);
    connect(files_->CmdStopPlay, &QPushButton::clicked, this, &FormMain::onStopPlayClicked);
    // The status line belongs to a running recording; the message box tells
    // either way.
    connect(playback_, &Playback::playbackFailed, this,
            [this](const QString& status, const QString& text) {
                if (!session_->isRecording())
                    statusLabel()->setText(status);
                showMessage(QMessageBox::Critical, tr("Error"), text);
            });
}

void FormMain::PlayFile(const QString& path) {
    playback_->PlayFile(path);
}

void FormMain::onPlayClicked() {
    if (const QTreeWidgetItem* item = CurrentRecording())
        PlayFile(recordingsList_->folder() + item->text(0));
}

void FormMain::TogglePause() {
    playback_->TogglePause();
}

void FormMain::StopPlayback() {
    if (playback_)
        playback_->StopPlayback();
}

void FormMain::onStopPlayClicked() {
    StopPlayback();
}

void FormMain::onPlayNowClicked() {
    if (session_->outputFilePath().isEmpty())
        return;
    // Showing the files page rebuilds the list if the recording is not in it
    // yet.
    pageMenu().PicMenu_Click(FilesPage);
    QTreeWidget* list = files_->ListViewFile;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->text(0) == session_->outputFileName()) {
            list->setCurrentItem(item);
            list->scrollToItem(item);
            list->setFocus();
            break;
        }
    }
    // The file plays even when the list does not show it.
    PlayFile(session_->outputFilePath());
}

void FormMain::SeekPlayback() {
    playback_->SeekPlayback(files_->PicSlider1->value());
}

} // namespace quillotap
