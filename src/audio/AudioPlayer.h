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
// - Timer: progress, the position (below) when it was raised.
// - PlaybackError: the output ended by itself after Start (the sound server
//   failed or killed the stream, the connection to it was lost, the output
//   went away). The player has stopped as Stop does, GetStatus is negative,
//   and no other event of that run follows; `reason` is in words for the
//   user.
//
// The position counts the frames the output has sounded, by its own clock,
// since the last Start or Reset; what the output holds but has not sounded
// yet is not counted.
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
    // The output ends at once; what it held and had not sounded is dropped.
    // GetPosition stays at what was sounded.
    void Stop();
    bool IsPlaying() const;
    int GetStatus() const; // negative: the last Start failed or its output was lost
    // Queued blocks are dropped and the position counts from zero again,
    // from the first block queued after this (what the output already holds
    // plays out uncounted).
    void Reset();
    qint64 GetPosition() const; // frames sounded since the last Start or Reset
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
    void PlaybackError(const QString& reason);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quillotap
