#include "files/FilesPage.h"

#include "files/FileTools.h"
#include "files/RecordingsList.h"
#include "recording/RecordingSession.h"

#include <QPushButton>
#include <QTreeWidget>

namespace quillotap {

FilesPage::FilesPage(const FilesPageControls& controls, QWidget& owner, RecordingSession& session,
                     const FormatOptions& formats, FileCommands::Hooks hooks,
                     FileCommands::Message message, QObject* parent)
    : QObject(parent), controls_(controls), list_(new RecordingsList(controls.list, this)),
      playback_(new Playback(controls_.playback, this)),
      commands_(new FileCommands(owner, *list_, session, *playback_, hooks, message, this)) {
    auto* tools = new FileTools(owner, *list_, session, *playback_, formats, hooks, message, this);
    connect(controls.play, &QPushButton::clicked, this, &FilesPage::playCurrent);
    connect(controls.pause, &QPushButton::clicked, playback_, &Playback::TogglePause);
    connect(controls.stopPlay, &QPushButton::clicked, playback_, &Playback::StopPlayback);
    connect(list_, &RecordingsList::playRequested, this, &FilesPage::playCurrent);
    connect(list_, &RecordingsList::deleteRequested, this, &FilesPage::deleteCurrent);
    connect(controls.refresh, &QPushButton::clicked, list_, &RecordingsList::Refresh);
    connect(controls.rename, &QPushButton::clicked, commands_, &FileCommands::Rename);
    connect(controls.remove, &QPushButton::clicked, this, &FilesPage::deleteCurrent);
    connect(controls.properties, &QPushButton::clicked, commands_, &FileCommands::Properties);
    connect(controls.tag, &QPushButton::clicked, tools, &FileTools::EditTag);
    connect(controls.convert, &QPushButton::clicked, tools, &FileTools::Convert);
    // The recording being written follows a rename of its file.
    connect(commands_, &FileCommands::renamed, &session, &RecordingSession::followRename);
    // A finished recording belongs in the list.
    connect(&session, &RecordingSession::recordingStopped, list_, &RecordingsList::invalidate);
}

void FilesPage::setFolder(const QString& folder) {
    list_->setFolder(folder);
    if (read_)
        build();
}

void FilesPage::build() {
    read_ = true;
    list_->Build();
}

void FilesPage::playCurrent() {
    if (const QTreeWidgetItem* item = list_->CurrentRecording())
        playback_->PlayFile(list_->folder() + item->text(0));
}

void FilesPage::playRecording(const QString& path, const QString& fileName) {
    QTreeWidget* list = controls_.list;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->text(0) == fileName) {
            list->setCurrentItem(item);
            list->scrollToItem(item);
            list->setFocus();
            break;
        }
    }
    playback_->PlayFile(path);
}

void FilesPage::deleteCurrent() {
    commands_->Delete();
}

} // namespace quillotap
