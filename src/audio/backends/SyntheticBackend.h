#pragma once

#include "audio/SampleBlock.h"
#include "audio/SoundBackend.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <vector>

namespace quillotap {

class SyntheticCapture;
class SyntheticOutput;

// What a synthetic line produces.
enum class SyntheticSignal {
    Sine,    // a sine of the line's frequency at half of full scale
    Silence, // zeros
    Noise,   // deterministic pseudo-random noise at a quarter of full scale
    Counter, // element n of a capture is int16_t(n): wraps, so order can be checked
    Bursts,  // pauses of `pauseSeconds` of silence, each followed by a burst of
             // `burstSeconds` of the sine; the first pause starts with the capture
};

struct SyntheticLine {
    QString name;
    SyntheticSignal signal = SyntheticSignal::Sine;
    double frequency = 440.0;
    double burstSeconds = 0; // Bursts only
    double pauseSeconds = 0; // Bursts only
    bool hasVolume = true;
    bool hasBalance = true;
    int volume = 65535; // 0..65535, scales the signal
    int balance = 50;   // 0..100; below 50 attenuates the right, above 50 the left channel
};

struct SyntheticDevice {
    QString name;
    bool valid = true;
    std::vector<SyntheticLine> lines;
    int selectedLine = 0;
};

// In-process sound devices for tests and demonstrations; never the default
// back end. Capture produces the selected line's signal and the output
// consumes samples, both on a clock that runs `speed` times faster than real
// time (QUILLOTAP_AUDIO_SPEED=N).
//
// Environment (read by fromEnvironment, which SoundBackend::instance uses):
//   QUILLOTAP_AUDIO_SPEED=N        clock speed factor (default 1)
//   QUILLOTAP_SYNTHETIC_DEVICES=…  the device table, see parseDevices
//   QUILLOTAP_SYNTHETIC_DEFAULT=N  the default device index (may lie past the end)
//   QUILLOTAP_SYNTHETIC_FAIL=capture,playback   make opening those streams fail
//
// Device table syntax:
//   devices = device *( ";" device )
//   device  = name [ "!" ] [ ":" [ line *( "|" line ) ] ]
//   line    = name *( "#" option )
//   option  = "novolume" | "nobalance" | "volume=" N | "balance=" N | "selected"
// A "!" after a device name makes the device unusable (deviceValid false).
// A device without ":" gets the standard lines of the "Test signal" device;
// a ":" followed by nothing gives a device without lines. A line's signal
// follows from its name: "Silence", "Noise", "Counter", "Sine <f> Hz",
// "Bursts <b>/<p>" (bursts of b seconds after pauses of p seconds);
// any other name is a 440 Hz sine. Example:
//   Mic:Sine 440 Hz|Silence#novolume;Broken!;Empty:
class SyntheticBackend : public SoundBackend {
    Q_OBJECT
public:
    SyntheticBackend(); // the standard table, real-time clock
    ~SyntheticBackend() override;

    static std::shared_ptr<SyntheticBackend> fromEnvironment();
    // One "Test signal" device with the lines "Sine 440 Hz", "Silence", "Noise".
    static std::vector<SyntheticDevice> standardDevices();
    // Parses the device table syntax above; on a syntax error returns an
    // empty table and puts the reason into *error.
    static std::vector<SyntheticDevice> parseDevices(const QString& text, QString* error = nullptr);

    void setDevices(std::vector<SyntheticDevice> devices);
    std::vector<SyntheticDevice> devices() const;
    void setDefaultDevice(int index);
    void setSpeed(double factor);
    // The clock's speed: 0 while paused.
    double speed() const;
    // Stops the clock: captures and the output make nothing more until it
    // runs again (a round already under way still completes), so that a
    // test can read how far a capture has come and act at that point.
    void setPaused(bool paused);
    void setCaptureFailure(bool fail);  // openCapture fails while set
    void setPlaybackFailure(bool fail); // openPlayback fails while set

    // Changes a line's volume as another program would, then emits
    // lineVolumeChanged.
    void simulateExternalVolumeChange(int device, int line, int volume);
    // Takes a device away as unplugging it would: the devices after it move
    // down one index, and every capture running from it ends with an error.
    void removeDevice(int device);
    // Takes the output away as a sound server that fails or kills the
    // program's stream would: every output running now ends with an error.
    // Outputs opened afterwards play as before.
    void removeOutput();

    // Frames that synthetic captures delivered since construction.
    qint64 capturedFrames() const { return capturedFrames_; }

    // What the output played (after the program's volume and mute), frames
    // since construction or clearOutput, and the most recent samples.
    qint64 outputFramesPlayed() const;
    SampleBlock outputSamples() const;
    void setOutputHistoryCapacity(std::size_t elements); // default 1 << 20
    void clearOutput();

    QString name() const override;
    int deviceCount() const override;
    int defaultDevice() const override;
    bool deviceValid(int device) const override;
    QString deviceName(int device) const override;
    int lineCount(int device) const override;
    SoundLine line(int device, int line) const override;
    bool selectLine(int device, int line) override;
    bool setLineVolume(int device, int line, int volume) override;
    bool setLineBalance(int device, int line, int balance) override;
    std::unique_ptr<CaptureStream> openCapture(int device, int sampleRate, int channels,
                                               CaptureCallback callback,
                                               CaptureErrorCallback onError,
                                               QString* error) override;
    std::unique_ptr<PlaybackStream> openPlayback(int sampleRate, int channels,
                                                 PlaybackCallback callback,
                                                 PlaybackErrorCallback onError,
                                                 QString* error) override;
    int outputVolume() const override;
    void setOutputVolume(int volume) override;
    bool outputMuted() const override;
    void setOutputMuted(bool muted) override;

private:
    friend class SyntheticCapture;
    friend class SyntheticOutput;

    // The selected line of the capture's device as its thread needs it:
    // false when the device or line does not exist. When the device was
    // taken away, *lost gets the reason instead.
    bool captureSettings(const SyntheticCapture& capture, SyntheticLine* line, QString* lost) const;
    // Running captures, so that removeDevice reaches them.
    void attach(SyntheticCapture* capture);
    void detach(SyntheticCapture* capture);
    // Running outputs, so that removeOutput reaches them; why the output
    // was lost, "" while it plays.
    void attach(SyntheticOutput* output);
    void detach(SyntheticOutput* output);
    QString outputLoss(const SyntheticOutput& output) const;
    void recordOutput(const int16_t* samples, std::size_t count, int channels);

    mutable std::mutex mutex_;
    std::vector<SyntheticDevice> devices_;
    int defaultDevice_ = 0;
    std::atomic<double> speed_{1.0};
    std::atomic<bool> paused_{false};
    std::atomic<qint64> capturedFrames_{0};
    bool failCapture_ = false;
    bool failPlayback_ = false;
    int outputVolume_ = 65535;
    bool outputMuted_ = false;
    qint64 outputFrames_ = 0;
    std::vector<SyntheticCapture*> captures_;
    std::vector<SyntheticOutput*> outputs_;
    std::deque<int16_t> outputHistory_;
    std::size_t outputCapacity_ = 1u << 20;
};

} // namespace quillotap
