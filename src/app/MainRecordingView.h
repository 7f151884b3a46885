// The recording page as the recording logic sees it: the main window's
// controls behind the RecordingView interface.
#pragma once

#include "recording/RecordingView.h"

#include <functional>

namespace quillotap {

class FormMain;

class MainRecordingView : public RecordingView {
public:
    using Message = std::function<void(const QString&)>;
    // `showError` shows a critical message box titled "Error" with the text;
    // `showStopReason` does so too, or shows the icon-mode balloon.
    MainRecordingView(FormMain& form, Message showError, Message showStopReason);

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
    void showStopReason(const QString& text) override;

private:
    void setControlEnabled(RecordingControl control, bool enabled);

    FormMain& form_;
    Message showError_;
    Message showStopReason_;
};

} // namespace quillotap
