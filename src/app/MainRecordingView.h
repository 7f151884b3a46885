// The recording page as the recording logic sees it: the main window's
// controls behind the RecordingView interface.
#pragma once

#include "recording/RecordingView.h"

#include <functional>

namespace quillotap {

class IconMode;
class MainFrame;
class PageMenu;

class MainRecordingView : public RecordingView {
public:
    using Message = std::function<void(const QString&)>;
    // `previewToggled` runs the preview box's handler; `showError` shows a
    // critical message box titled "Error" with the text; `showStopReason`
    // does so too, or shows the icon-mode balloon.
    MainRecordingView(MainFrame& frame, PageMenu& pageMenu, IconMode& iconMode,
                      std::function<void(bool on)> previewToggled, Message showError,
                      Message showStopReason);

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

    MainFrame& frame_;
    PageMenu& pageMenu_;
    IconMode& iconMode_;
    std::function<void(bool on)> previewToggled_;
    Message showError_;
    Message showStopReason_;
};

} // namespace quillotap
