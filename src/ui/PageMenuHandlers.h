// What a page switch means to the rest of the window: leaving for the files
// page pauses the input preview (and refreshes the recordings list), coming
// back to the recorder page resumes it and ends playback when no recording
// runs; the Help button opens the manual.
#pragma once

#include <QObject>

#include <functional>

class QCheckBox;

namespace quillotap {

class PageMenu;

class PageMenuHandlers : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> buildRecordingsList; // re-reads the folder when stale
        std::function<void()> stopPlay;            // the Stop button of the player
        std::function<void()> showHelp;
        std::function<bool()> isRecording; // a recording runs: playback may go on
    };

    PageMenuHandlers(PageMenu& menu, QCheckBox* checkPreview, Hooks hooks,
                     QObject* parent = nullptr);

    void FilesPageShown();
    void RecorderPageShown();

    // The preview was on when the files page was shown, and is switched on
    // again when the recorder page comes back.
    bool previewRestore() const { return previewRestore_; }
    void setPreviewRestore(bool restore) { previewRestore_ = restore; }

private:
    bool previewRestore_ = false;
    QCheckBox* preview_;
    Hooks hooks_;
};

} // namespace quillotap
