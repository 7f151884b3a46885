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

class AudioRecord;
class AudioVisualizationEx2;
class PictureSlider;

struct InputControls {
    QComboBox* deviceList = nullptr;
    QComboBox* sourceList = nullptr;
    PictureSlider* balanceSlider = nullptr;     // balance, 0..100
    PictureSlider* inputVolumeSlider = nullptr; // input volume, 0..65535 (top)
    QCheckBox* previewBox = nullptr;
    AudioVisualizationEx2* display = nullptr; // the input display
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
    // Selects on `recorder`; previews in the format of `writer`. Both must
    // outlive this object.
    InputSelection(AudioRecord& recorder, const AudioFile& writer, const InputControls& controls,
                   QObject* parent = nullptr);

    // Run when the preview box is cleared: the window's recording stop
    // routine, which stops the recorder (and finishes a recording, if one
    // runs), clears the display and shows "Ready to record".
    void setStopRecording(std::function<void()> stop) { stopRecording_ = std::move(stop); }

    // Selecting a device: opens it, lists its sources and makes the first
    // one the recording source.
    void onDeviceChosen();
    // Lists the lines of the selected device in line order.
    void FillSourceList();
    // Applies the selected source entry: finds the first line of that name,
    // places the two sliders (dimmed knobs for a line without volume or
    // balance control) and makes the line the device's recording source.
    void SelectSource();
    // Ticked: starts the preview in the current output format; cleared: the
    // stop routine.
    void onPreviewToggled(bool ticked);

    // The format the preview uses: IdleCaptureFormat of the audio file.
    CaptureFormat previewFormat() const;

    // Number of input sources (lines) of the selected device; 0: none usable.
    int sourceCount() const { return sourceCount_; }
    // Counts the selected device's sources again (after the device changed).
    void recountSources();
    // Line index of the chosen source; the level sliders act on it.
    int sourceLine() const { return sourceLine_; }

    // The user holds the input-volume knob: volume changes reported by the
    // sound system must not move it meanwhile.
    void beginVolumeDrag();
    bool isVolumeDragging() const { return volumeDragging_; }
    // The released balance (0..100) and volume (0..65535) knobs: applied to
    // the chosen source; the volume also ends the drag.
    void applyBalance(int balance);
    void applyVolume(int volume);

private:
    AudioRecord& recorder_;
    const AudioFile& writer_;
    int sourceCount_ = 0;
    int sourceLine_ = 0;
    bool volumeDragging_ = false;
    InputControls c_;
    std::function<void()> stopRecording_;
};

} // namespace quillotap
