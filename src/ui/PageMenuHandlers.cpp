#include "ui/PageMenuHandlers.h"

#include "app/MainState.h"
#include "ui/PageMenu.h"

#include <QCheckBox>

namespace quillotap {

PageMenuHandlers::PageMenuHandlers(MainState& state, PageMenu& menu, QCheckBox* checkPreview,
                                   Hooks hooks, QObject* parent)
    : QObject(parent), state_(state), preview_(checkPreview), hooks_(std::move(hooks)) {
    connect(&menu, &PageMenu::filesPageShown, this, &PageMenuHandlers::FilesPageShown);
    connect(&menu, &PageMenu::recorderPageShown, this, &PageMenuHandlers::RecorderPageShown);
    connect(&menu, &PageMenu::pageChosen, this, [this](int page) { state_.CurrentPage = page; });
    connect(&menu, &PageMenu::helpRequested, this, [this] {
        if (hooks_.showHelp)
            hooks_.showHelp();
    });
}

void PageMenuHandlers::FilesPageShown() {
    // The preview is remembered only once: a second visit while the
    // remembered value is still pending keeps it.
    if (state_.PreviewRestore == 0) {
        state_.PreviewRestore = preview_->isChecked() ? 1 : 0;
        preview_->setChecked(false);
    }
    if (hooks_.buildRecordingsList)
        hooks_.buildRecordingsList();
}

void PageMenuHandlers::RecorderPageShown() {
    if (state_.PreviewRestore != 0)
        preview_->setChecked(true);
    state_.PreviewRestore = 0;
    if (!state_.RecordingActive && hooks_.stopPlay)
        hooks_.stopPlay();
}

} // namespace quillotap
