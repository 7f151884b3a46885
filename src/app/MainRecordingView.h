// The recording page as the recording logic sees it: the main window's
// controls behind the RecordingView interface.
#pragma once

#include "recording/RecordingView.h"

#include <functional>

namespace quillotap {

class FormMain;

class MainRecordingView : public RecordingView {
public:
    // `showError` shows a critical message box titled "Error" with the text.
    MainRecordingView(FormMain& form, std::function<void(const QString&)> showError);

    QString selectedFormatText() const override;
    void setControlsEnabled(std::span<const RecordingControl> controls, bool enabled) override;
    void setPlayNowEnabled(bool enabled) override;
    void setStatusText(const QString& text) override;
    void setSaveFileText(const QString& text) override;
    void setTimeText(const QString& text) override;
    void setSizeText(const QString& text) override;
    bool isPreviewChecked() const override;
    void runPreviewClick() override;
    void setDisplayFormat(int sampleRate, int channels) override;
    void setDisplaySamples(const SampleBlock& block) override;
    void showReadyInIconMode() override;
    int inputVolumeTrackHeight() const override;
    void placeInputVolumeKnob(int position) override;
    void showError(const QString& text) override;

private:
    void setControlEnabled(RecordingControl control, bool enabled);

    FormMain& form_;
    std::function<void(const QString&)> showError_;
};

} // namespace quillotap
