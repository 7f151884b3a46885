#include "files/FileTools.h"

#include "files/FormConvert.h"
#include "files/FormID3.h"
#include "files/Playback.h"
#include "files/RecordingsList.h"
#include "formats/FormatOptions.h"
#include "recording/RecordingSession.h"

#include <QTreeWidgetItem>

namespace quillotap {

FileTools::FileTools(QWidget& owner, RecordingsList& list, const RecordingSession& session,
                     Playback& playback, const FormatOptions& formats, FileCommands::Hooks hooks,
                     FileCommands::Message message, QObject* parent)
    : QObject(parent), owner_(owner), list_(list), session_(session), playback_(playback),
      formats_(formats), hooks_(std::move(hooks)), message_(std::move(message)) {}

void FileTools::information(const QString& text) {
    message_(QMessageBox::Information, QStringLiteral("Quillotap"), text);
}

void FileTools::EditTag() {
    const QTreeWidgetItem* item = list_.CurrentRecording();
    if (!item)
        return;
    const QString path = list_.folder() + item->text(RecordingsList::NameColumn);
    // MP3 files carry an ID3 tag, FLAC and Opus files Vorbis comments.
    if (!path.endsWith(QLatin1String(".mp3")) && !path.endsWith(QLatin1String(".flac")) &&
        !path.endsWith(QLatin1String(".opus"))) {
        information(tr("Please select a mp3 file"));
        return;
    }
    // Its tag is written when the recording ends; writing it meanwhile
    // would race the encoder for the same file.
    if (session_.isRecording() && path == session_.outputFilePath()) {
        information(tr("This file is being recorded. Its tag can be edited "
                       "once the recording has stopped."));
        return;
    }
    if (playback_.lastFile() == path && playback_.isActive())
        playback_.StopPlayback();
    hooks_.suspendHotkeys();
    FormID3 dialog(path, &owner_);
    dialog.setMessageHandler(message_);
    if (dialog.Load())
        dialog.exec();
    hooks_.resumeHotkeys();
}

void FileTools::Convert() {
    const QTreeWidgetItem* item = list_.CurrentRecording();
    if (!item) {
        information(tr("Please select a file to convert"));
        return;
    }
    const QString name = item->text(RecordingsList::NameColumn);
    playback_.StopPlayback();
    hooks_.suspendHotkeys();
    {
        FormConvert dialog(list_.folder(), name, formats_.mp3, formats_.settings,
                           formats_.mp3Description, &owner_);
        dialog.setMessageHandler(message_);
        dialog.exec();
    }
    hooks_.resumeHotkeys();
    // The new file belongs in the list.
    list_.Refresh();
}

} // namespace quillotap
