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
struct MainState;

class PageMenuHandlers : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> buildRecordingsList; // re-reads the folder when stale
        std::function<void()> stopPlay;            // the Stop button of the player
        std::function<void()> showHelp;
    };

    PageMenuHandlers(MainState& state, PageMenu& menu, QCheckBox* checkPreview, Hooks hooks,
                     QObject* parent = nullptr);

    void FilesPageShown();
    void RecorderPageShown();

private:
    MainState& state_;
    QCheckBox* preview_;
    Hooks hooks_;
};

} // namespace quillotap
