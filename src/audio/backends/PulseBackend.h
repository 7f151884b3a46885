#pragma once

#include "audio/SoundBackend.h"
#include "audio/backends/PulseSource.h"

#include <pulse/operation.h>

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace quillotap {

class PulseConnection;

// The PulseAudio back end (also PipeWire's Pulse service). Devices are the
// server's sources, monitors of outputs included; a device's lines are its
// ports, or one line named after the source when it has none; the selected
// line is the active port. Line volume is the source volume (0..65535 for
// 0..100 %), balance its left/right balance (0..100). Playback goes to the
// default output as the program's own stream. Without a reachable server
// there are no devices and streams fail to open; nothing waits longer than a
// few seconds.
class PulseBackend : public SoundBackend {
    Q_OBJECT
public:
    PulseBackend();
    ~PulseBackend() override;

    bool isConnected() const;
    QString lastError() const;

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

    // Called by the playback streams (on the main loop thread) when their
    // output stream comes and goes, so volume and mute follow them.
    void outputStreamStarted(unsigned index, int channels);
    void outputStreamEnded(unsigned index);

private:
    struct Listing;

    // Connects when not connected (at most every few seconds), subscribes to
    // changes and loads the source list.
    void ensureConnected();
    // With the main loop lock held; the returned operation may be waited for.
    pa_operation* refreshSources();
    pa_operation* refreshServer();
    void refreshOutputStream(unsigned index);
    void sourcesArrived(std::vector<PulseSource> sources);
    void volumeSetDone();
    bool sendSourceVolume(unsigned index, const pa_cvolume& cv);
    // Frees the source listings whose answers can no longer come (their
    // context is gone); call only after the context was disconnected.
    void dropListings();

    std::shared_ptr<PulseConnection> connection_;
    // Source listings still waiting for the end of their list; guarded by
    // the connection's lock (the main loop thread answers them).
    std::set<Listing*> listings_;
    mutable std::mutex mutex_; // guards everything below
    std::vector<PulseSource> sources_;
    std::string defaultSource_;
    std::map<unsigned, int> outputStreams_; // sink input -> channels
    int ownVolumeSets_ = 0;                 // volume changes of ours in flight
    int outputVolume_ = 65535;
    bool outputMuted_ = false;
    QString lastError_;
    qint64 lastAttemptMs_ = -1;
};

} // namespace quillotap
