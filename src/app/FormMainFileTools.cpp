// The files page's tag editor and converter buttons.
#include "app/FormMain.h"

#include "files/FormConvert.h"
#include "files/FormID3.h"
#include "files/Playback.h"
#include "files/RecordingsList.h"

#include "ui_PageFiles.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace quillotap {

void FormMain::setUpFileTools() {
    const auto message = [this](QMessageBox::Icon icon, const QString& title, const QString& text) {
        showMessage(icon, title, text);
    };

    connect(files_->CmdID3, &QPushButton::clicked, this, [this, message] {
        const QTreeWidgetItem* item = CurrentRecording();
        if (!item)
            return;
        const QString path = recordingsList_->folder() + item->text(0);
        // MP3 files carry an ID3 tag, FLAC and Opus files Vorbis comments.
        if (!path.endsWith(QLatin1String(".mp3")) && !path.endsWith(QLatin1String(".flac")) &&
            !path.endsWith(QLatin1String(".opus"))) {
            showMessage(QMessageBox::Information, QStringLiteral("Quillotap"),
                        tr("Please select a mp3 file"));
            return;
        }
        // Its tag is written when the recording ends; writing it meanwhile
        // would race the encoder for the same file.
        if (session_->isRecording() && path == session_->outputFilePath()) {
            showMessage(QMessageBox::Information, QStringLiteral("Quillotap"),
                        tr("This file is being recorded. Its tag can be edited "
                           "once the recording has stopped."));
            return;
        }
        if (playback_->lastFile() == path && playback_->isActive())
            StopPlayback();
        SuspendHotkeys();
        FormID3 dialog(path, this);
        dialog.setMessageHandler(message);
        if (dialog.Load())
            dialog.exec();
        ResumeHotkeys();
    });

    connect(files_->CmdConvert, &QPushButton::clicked, this, [this, message] {
        const QTreeWidgetItem* item = CurrentRecording();
        if (!item) {
            showMessage(QMessageBox::Information, QStringLiteral("Quillotap"),
                        tr("Please select a file to convert"));
            return;
        }
        const QString name = item->text(0);
        StopPlayback();
        SuspendHotkeys();
        {
            FormConvert dialog(recordingsList_->folder(), name, formats_.mp3, formats_.settings,
                               formats_.mp3Description, this);
            dialog.setMessageHandler(message);
            dialog.exec();
        }
        ResumeHotkeys();
        // The new file belongs in the list.
        recordingsList_->Refresh();
    });
}

} // namespace quillotap
