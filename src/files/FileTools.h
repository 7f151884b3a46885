// "ID3 Tag" and "Convert" of the files page: the tag editor and the converter
// for the current recording, opened with the hotkeys off and the file out of
// the player's and the recorder's way.
#pragma once

#include "files/FileCommands.h"

#include <QObject>

class QWidget;

namespace quillotap {

struct FormatOptions;

class FileTools : public QObject {
    Q_OBJECT
public:
    // `owner` owns the dialogs; the converter starts from `formats`. All
    // must outlive the tools.
    FileTools(QWidget& owner, RecordingsList& list, const RecordingSession& session,
              Playback& playback, const FormatOptions& formats, FileCommands::Hooks hooks,
              FileCommands::Message message, QObject* parent = nullptr);

    // The tag editor for the current recording (MP3, FLAC and Opus files);
    // not while the file is being recorded.
    void EditTag();
    // The converter for the current recording; the new file is listed.
    void Convert();

private:
    void information(const QString& text);

    QWidget& owner_;
    RecordingsList& list_;
    const RecordingSession& session_;
    Playback& playback_;
    const FormatOptions& formats_;
    FileCommands::Hooks hooks_;
    FileCommands::Message message_;
};

} // namespace quillotap
