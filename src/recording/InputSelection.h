// The input side of the recorder page: the device list, the source list of
// the selected device with its volume and balance sliders, and the preview
// that runs the recorder without writing a file so that the display shows
// the input before a recording starts.
#pragma once

#include <QObject>

#include <functional>

class QCheckBox;
class QComboBox;

namespace quillotap {

class AudioVisualizationEx2;
class PictureSlider;
struct MainState;

struct InputControls {
    QComboBox* DeviceCombo = nullptr;
    QComboBox* ComboSource = nullptr;
    PictureSlider* PicSlider3 = nullptr; // balance, 0..100
    PictureSlider* PicSlider4 = nullptr; // input volume, 0..65535 (top)
    QCheckBox* CheckPreview = nullptr;
    AudioVisualizationEx2* AudioVisualization21 = nullptr; // the input display
};

// Sample rate and channel count the preview captures in.
struct CaptureFormat {
    int sampleRate = 44100;
    int channels = 2;
};

class AudioFile;

// The format the input is captured in between recordings (the preview and
// the pre-roll): the audio-file object's current format. Before a file has
// been created it reports the format it was configured with last; when it
// reports none, 44100 Hz stereo.
CaptureFormat IdleCaptureFormat(const AudioFile& file);

class InputSelection : public QObject {
    Q_OBJECT
public:
    InputSelection(MainState& state, const InputControls& controls, QObject* parent = nullptr);

    // Run when the preview box is cleared: the window's recording stop
    // routine, which stops the recorder (and finishes a recording, if one
    // runs), clears the display and shows "Ready to record".
    void setStopRecording(std::function<void()> stop) { stopRecording_ = std::move(stop); }

    // Selecting a device: opens it, lists its sources and makes the first
    // one the recording source.
    void DeviceCombo_Click();
    // Lists the lines of the selected device in line order.
    void FillSourceList();
    // Applies the selected source entry: finds the first line of that name,
    // places the two sliders (dimmed knobs for a line without volume or
    // balance control) and makes the line the device's recording source.
    void SelectSource();
    // Ticked: starts the preview in the current output format; cleared: the
    // stop routine.
    void CheckPreview_Click(bool ticked);

    // The format the preview uses: IdleCaptureFormat of the audio file.
    CaptureFormat previewFormat() const;

private:
    MainState& state_;
    InputControls c_;
    std::function<void()> stopRecording_;
};

} // namespace quillotap
