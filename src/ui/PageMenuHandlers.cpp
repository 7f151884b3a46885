#include "ui/PageMenuHandlers.h"

#include "ui/PageMenu.h"

#include <QCheckBox>

namespace quillotap {

PageMenuHandlers::PageMenuHandlers(PageMenu& menu, QCheckBox* checkPreview, Hooks hooks,
                                   QObject* parent)
    : QObject(parent), preview_(checkPreview), hooks_(std::move(hooks)) {
    connect(&menu, &PageMenu::filesPageShown, this, &PageMenuHandlers::FilesPageShown);
    connect(&menu, &PageMenu::recorderPageShown, this, &PageMenuHandlers::RecorderPageShown);
    connect(&menu, &PageMenu::helpRequested, this, [this] {
        if (hooks_.showHelp)
            hooks_.showHelp();
    });
}

void PageMenuHandlers::FilesPageShown() {
    // The preview is remembered only once: a second visit while the
    // remembered value is still pending keeps it.
    if (!previewRestore_) {
        previewRestore_ = preview_->isChecked();
        preview_->setChecked(false);
    }
    if (hooks_.buildRecordingsList)
        hooks_.buildRecordingsList();
}

void PageMenuHandlers::RecorderPageShown() {
    if (previewRestore_)
        preview_->setChecked(true);
    previewRestore_ = false;
    const bool recording = hooks_.isRecording && hooks_.isRecording();
    if (!recording && hooks_.stopPlay)
        hooks_.stopPlay();
}

} // namespace quillotap
