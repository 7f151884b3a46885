#pragma once

#include "SampleBlock.h"

#include <QObject>
#include <memory>

namespace quillotap {

class SoundBackend;

// Plays queued blocks on the default output of the sound back end, as the
// program's own stream (its volume and mute are the stream's).
//
// Signals, on the owning (UI) thread:
// - RequestOnLoadArray: fewer blocks are queued than the player wants; the
//   handler may queue one block.
// - EndArrayPlay: one queued block has been played completely.
// - EndPlay: everything queued has been played and the handlers of the
//   events above queued nothing more.
// - Timer: progress, frames played since the last Start.
class AudioPlayer : public QObject {
    Q_OBJECT
public:
    explicit AudioPlayer(QObject* parent = nullptr);
    explicit AudioPlayer(std::shared_ptr<SoundBackend> backend, QObject* parent = nullptr);
    ~AudioPlayer() override;

    void SetFormat(int sampleRate, int channels);
    int GetBufferSize(int milliseconds) const; // interleaved elements
    void QueueSamples(const SampleBlock& block);
    void Start();
    void Stop(); // output ends; GetPosition stays at what was played
    bool IsPlaying() const;
    int GetStatus() const; // negative: the last Start failed
    void Reset();          // queued blocks are dropped
    qint64 GetPosition() const; // frames played since the last Start
    qint64 LengthToMilliseconds(qint64 frames) const;
    SampleBlock GetPlayingSamples(int count) const; // interleaved elements being played
    void SetInitialValue(int value);
    int GetVolume() const; // 0..65535
    void SetVolume(int volume);
    bool GetMute() const;
    void SetMute(bool mute);

    std::shared_ptr<SoundBackend> backend() const;

signals:
    void RequestOnLoadArray();
    void EndArrayPlay();
    void EndPlay();
    void Timer(qint64 currentSamples, int levelLeft, int levelRight);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quillotap
