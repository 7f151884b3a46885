// What the recording logic needs from the main window's controls. The main
// window implements it over its widgets; tests implement it with a recorder
// of the calls.
#pragma once

#include "audio/SampleBlock.h"

#include <QString>
#include <array>
#include <span>

namespace quillotap {

// The controls that must not change while a file is written.
enum class RecordingControl {
    recordButton,
    filesPageButton, // the recordings-page button of the page menu
    formatList,
    setButton,
    previewBox,
    deviceList,
    sourceList,
    balanceSlider,     // input balance
    inputVolumeSlider, // input volume
};

// In the order they are disabled when a recording starts and enabled again
// when it stops.
inline constexpr std::array<RecordingControl, 9> LockedWhileRecording{
    RecordingControl::recordButton,      RecordingControl::filesPageButton,
    RecordingControl::formatList,        RecordingControl::setButton,
    RecordingControl::previewBox,        RecordingControl::deviceList,
    RecordingControl::sourceList,        RecordingControl::balanceSlider,
    RecordingControl::inputVolumeSlider,
};

// Bitmap resources of the recordings-page menu button: greyed while a
// recording runs, normal otherwise.
inline constexpr int PicMenu1DisabledBitmap = 201;
inline constexpr int PicMenu1EnabledBitmap = 106;

// Notification-area tip once a recording has stopped in icon mode.
inline constexpr const char* IconTipReady = "Quillotap - Ready to record";

class RecordingView {
public:
    virtual ~RecordingView() = default;

    // Text of the selected format-list entry ("MP3"...; "" without selection).
    virtual QString selectedFormatText() const = 0;

    // Enables or disables the controls one after the other, in the order
    // given. PicMenu1 also shows bitmap PicMenu1DisabledBitmap when disabled
    // and PicMenu1EnabledBitmap when enabled.
    virtual void setControlsEnabled(std::span<const RecordingControl> controls, bool enabled) = 0;
    // The "Play" button of the recording page (CmdPlayNow).
    virtual void setPlayNowEnabled(bool enabled) = 0;

    virtual void setStatusText(const QString& text) = 0;   // LabelStatus
    virtual void setSaveFileText(const QString& text) = 0; // LabelSaveFile
    virtual void setTimeText(const QString& text) = 0;     // LabelRTime
    virtual void setSizeText(const QString& text) = 0;     // LabelRSize

    // The preview check box: its state, and its click handling as if the
    // user had clicked it (ticked: the preview starts; cleared: the
    // recorder stops).
    virtual bool isPreviewChecked() const = 0;
    virtual void runPreviewClick() = 0;

    // The input display pane (AudioVisualization21).
    virtual void setDisplayFormat(int sampleRate, int channels) = 0;
    virtual void setDisplaySamples(const SampleBlock& block) = 0;

    // Icon mode: the notification-area icon takes the "ready" picture
    // (Image3) and the tip IconTipReady.
    virtual void showReadyInIconMode() = 0;

    // The input-volume slider (PicSlider4): its track height and the
    // placing of its knob (SetVerticalSliderKnob).
    virtual int inputVolumeTrackHeight() const = 0;
    virtual void placeInputVolumeKnob(int position) = 0;

    // A failure the user must know about: an error message box titled "Error".
    virtual void showError(const QString& text) = 0;
    // Why a recording stopped by itself: like showError, but in icon mode,
    // where no window is shown, a balloon on the notification-area icon.
    virtual void showStopReason(const QString& text) = 0;
};

} // namespace quillotap
