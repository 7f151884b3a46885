// The files page: the recordings list of the output folder, playback of a
// recording with its controls, and the file operations (rename, delete,
// properties, ID3 tag, convert) on the list's current recording.
#pragma once

#include "files/FileCommands.h"
#include "files/Playback.h"

#include <QObject>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillotap {

class RecordingsList;
class RecordingSession;
struct FormatOptions;

struct FilesPageControls {
    QTreeWidget* list = nullptr; // ListViewFile
    PlaybackControls playback;
    QPushButton* play = nullptr;
    QPushButton* pause = nullptr;
    QPushButton* stopPlay = nullptr;
    QPushButton* refresh = nullptr;
    QPushButton* rename = nullptr;
    QPushButton* remove = nullptr; // "Delete"
    QPushButton* properties = nullptr;
    QPushButton* tag = nullptr; // "ID3 Tag"
    QPushButton* convert = nullptr;
};

class FilesPage : public QObject {
    Q_OBJECT
public:
    // `owner` owns the dialogs; a recording `session` is writing is left
    // alone. `controls` must outlive this object.
    FilesPage(const FilesPageControls& controls, QWidget& owner, RecordingSession& session,
              const FormatOptions& formats, FileCommands::Hooks hooks,
              FileCommands::Message message, QObject* parent = nullptr);

    RecordingsList& list() const { return *list_; }
    Playback& playback() const { return *playback_; }
    FileCommands& commands() const { return *commands_; }

    // A new output folder; the list is read again at once if it was read
    // before (at start-up it is read once the settings are loaded).
    void setFolder(const QString& folder);
    // Reads the list from the output folder when it is stale.
    void build();
    // "Play": plays the current recording.
    void playCurrent();
    // Selects the recording in the list (when the list shows it) and plays
    // the file, shown or not.
    void playRecording(const QString& path, const QString& fileName);
    // "Delete": deletes the current recording after asking.
    void deleteCurrent();

private:
    const FilesPageControls controls_;
    RecordingsList* list_;
    Playback* playback_;
    FileCommands* commands_;
    bool read_ = false;
};

} // namespace quillotap
