#include "audio/AudioPlayer.h"

#include "audio/SoundBackend.h"
#include "audio/engine/SampleHistory.h"
#include "audio/engine/StreamFormat.h"
#include "audio/engine/TimerProgress.h"

#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <deque>
#include <mutex>

namespace quillotap {

namespace {

constexpr std::size_t kWantedBlocks = 3;
constexpr std::size_t kHistoryElements = std::size_t(1) << 18;

} // namespace

// The queued blocks and the progress of the output. The back end's thread
// pulls, the UI thread queues and reads; everything is guarded by `mutex`.
struct PlayQueue {
    // Back-end thread: copies queued samples out. Returns true when the UI
    // thread has to be told (a block finished or a Timer is due) and no
    // notice is already on its way.
    bool pull(int16_t* out, std::size_t count, std::size_t* supplied) {
        std::lock_guard lock(mutex);
        std::size_t got = 0;
        bool news = false;
        while (got < count && !blocks.empty()) {
            const SampleBlock& front = blocks.front();
            const std::size_t take = std::min(count - got, front.size() - offset);
            std::memcpy(out + got, front.data() + offset, take * sizeof(int16_t));
            got += take;
            offset += take;
            if (offset == front.size()) {
                blocks.pop_front();
                offset = 0;
                ++blocksFinished;
                news = true;
            }
        }
        history.append(out, got);
        if (progress.add(out, got))
            news = true;
        *supplied = got;
        if (!news || noticePending)
            return false;
        noticePending = true;
        return true;
    }

    // A new output run in this format: progress starts from zero.
    void restart(int sampleRate, int channelCount) {
        std::lock_guard lock(mutex);
        progress.restart(sampleRate, channelCount);
        blocksFinished = 0;
        blocksAnnounced = 0;
        noticePending = false;
    }

    void clear() {
        std::lock_guard lock(mutex);
        blocks.clear();
        offset = 0;
    }

    std::mutex mutex;
    std::deque<SampleBlock> blocks;
    std::size_t offset = 0; // into blocks.front()
    qint64 blocksFinished = 0;
    qint64 blocksAnnounced = 0; // UI thread only
    bool noticePending = false;
    SampleHistory history{kHistoryElements};
    TimerProgress progress;
};

struct AudioPlayer::Private {
    AudioPlayer* q = nullptr;
    std::shared_ptr<SoundBackend> backend;
    std::shared_ptr<PlayQueue> queue = std::make_shared<PlayQueue>();
    std::unique_ptr<PlaybackStream> stream;
    int sampleRate = 44100;
    int channels = 2;
    int playRate = 44100; // format of the running output
    int status = 0;
    int initialValue = 0;
    quint64 generation = 0; // changes with every Start and Stop
    bool requestWanted = false;
    bool endSent = false;
    // The position counts the output's played frames from this many on: the
    // frames handed to the running output before the last Reset.
    qint64 positionStart = 0;
    qint64 stoppedPosition = 0; // the position while no output runs

    void post();
    void deliver(quint64 forGeneration);
    void lose(quint64 forGeneration, const QString& reason);
    void decideEnd(quint64 forGeneration);
    qint64 position() const {
        if (!stream)
            return stoppedPosition;
        return std::max<qint64>(0, stream->playedFrames() - positionStart);
    }
    void stopStream() {
        if (stream) {
            stream->stop();
            stoppedPosition = position();
            stream.reset();
        }
    }
};

void AudioPlayer::Private::post() {
    const quint64 current = generation;
    QMetaObject::invokeMethod(
        q, [this, current] { deliver(current); }, Qt::QueuedConnection);
}

// UI thread: raises the events the output has pending, then decides whether
// playback has ended.
void AudioPlayer::Private::deliver(quint64 forGeneration) {
    if (forGeneration != generation || !stream)
        return;
    {
        std::lock_guard lock(queue->mutex);
        queue->noticePending = false;
    }
    QPointer<AudioPlayer> guard(q);
    const auto stillCurrent = [&] { return guard && forGeneration == generation && stream; };
    for (;;) {
        {
            std::lock_guard lock(queue->mutex);
            if (queue->blocksAnnounced >= queue->blocksFinished)
                break;
            ++queue->blocksAnnounced;
        }
        emit q->EndArrayPlay();
        if (!stillCurrent())
            return;
    }
    if (requestWanted) {
        requestWanted = false;
        emit q->RequestOnLoadArray();
        if (!stillCurrent())
            return;
    }
    TimerProgress::Figures figures;
    {
        std::lock_guard lock(queue->mutex);
        figures = queue->progress.take();
    }
    if (figures.due) {
        // The output's own clock, not the samples handed to it: the knob
        // shows what is heard.
        emit q->Timer(position(), figures.left, figures.right);
        if (!stillCurrent())
            return;
    }
    decideEnd(forGeneration);
}

// Playback ends when everything queued was played and the handlers of the
// feed events have run without queuing more.
void AudioPlayer::Private::decideEnd(quint64 forGeneration) {
    if (forGeneration != generation || !stream || endSent || requestWanted)
        return;
    {
        std::lock_guard lock(queue->mutex);
        if (!queue->blocks.empty() || queue->blocksAnnounced < queue->blocksFinished)
            return;
    }
    // Let the output sound what it still holds before reporting the end.
    if (const qint64 pending = stream->pendingFrames(); pending > 0) {
        const int ms = int(std::min<qint64>(pending * 1000 / playRate + 5, 1000));
        QTimer::singleShot(ms, q, [this, forGeneration] { decideEnd(forGeneration); });
        return;
    }
    endSent = true;
    emit q->EndPlay();
}

// UI thread: the back end reported the output of run `forGeneration` lost.
void AudioPlayer::Private::lose(quint64 forGeneration, const QString& reason) {
    if (forGeneration != generation || !stream)
        return; // stopped or restarted since the report was sent
    q->Stop();
    status = -1;
    emit q->PlaybackError(reason.isEmpty() ? QStringLiteral("The sound output was lost.") : reason);
}

AudioPlayer::AudioPlayer(QObject* parent) : AudioPlayer(SoundBackend::instance(), parent) {}

AudioPlayer::AudioPlayer(std::shared_ptr<SoundBackend> backend, QObject* parent)
    : QObject(parent), d(std::make_unique<Private>()) {
    d->q = this;
    d->backend = backend ? std::move(backend) : SoundBackend::instance();
}

AudioPlayer::~AudioPlayer() {
    d->stopStream();
}

void AudioPlayer::SetFormat(int sampleRate, int channels) {
    if (!IsValidStreamFormat(sampleRate, channels)) {
        d->status = -1;
        return;
    }
    d->sampleRate = sampleRate;
    d->channels = channels;
}

int AudioPlayer::GetBufferSize(int milliseconds) const {
    return ElementsFor(d->sampleRate, d->channels, std::max(milliseconds, 0));
}

void AudioPlayer::QueueSamples(const SampleBlock& block) {
    // Whole frames only, so the channels never swap.
    const std::size_t usable = block.size() - block.size() % std::size_t(d->channels);
    if (usable == 0)
        return;
    std::size_t queued = 0;
    {
        std::lock_guard lock(d->queue->mutex);
        d->queue->blocks.emplace_back(block.begin(), block.begin() + qsizetype(usable));
        queued = d->queue->blocks.size();
    }
    d->endSent = false; // more to play: a later end is a new one
    if (d->stream && queued < kWantedBlocks && !d->requestWanted) {
        d->requestWanted = true;
        d->post();
    }
}

void AudioPlayer::Start() {
    d->stopStream();
    ++d->generation;
    d->status = 0;
    d->endSent = false;
    d->playRate = d->sampleRate;
    d->positionStart = 0;
    d->stoppedPosition = 0;
    d->queue->restart(d->sampleRate, d->channels);
    auto queue = d->queue;
    auto callback = [this, queue](int16_t* samples, std::size_t count) {
        std::size_t supplied = 0;
        if (queue->pull(samples, count, &supplied))
            QMetaObject::invokeMethod(
                this, [this] { d->deliver(d->generation); }, Qt::QueuedConnection);
        return supplied;
    };
    // The generation tells a late report of an earlier run from one of this run.
    const quint64 run = d->generation;
    auto onError = [this, run](const QString& reason) {
        QMetaObject::invokeMethod(
            this, [this, run, reason] { d->lose(run, reason); }, Qt::QueuedConnection);
    };
    QString error;
    d->stream = d->backend->openPlayback(d->sampleRate, d->channels, callback, onError, &error);
    if (!d->stream) {
        d->status = -1;
        return;
    }
    d->requestWanted = true;
    d->post();
}

void AudioPlayer::Stop() {
    d->stopStream();
    ++d->generation;
    d->requestWanted = false;
    d->queue->clear();
}

bool AudioPlayer::IsPlaying() const {
    return d->stream != nullptr;
}

int AudioPlayer::GetStatus() const {
    return d->status;
}

void AudioPlayer::Reset() {
    {
        std::lock_guard lock(d->queue->mutex);
        d->positionStart = d->queue->progress.frames();
    }
    d->stoppedPosition = 0;
    d->queue->clear();
    // Whatever the caller queues next decides whether playback goes on; if
    // it queues nothing, the end is reported.
    if (d->stream)
        d->post();
}

qint64 AudioPlayer::GetPosition() const {
    return d->position();
}

qint64 AudioPlayer::LengthToMilliseconds(qint64 frames) const {
    return frames * 1000 / d->sampleRate;
}

SampleBlock AudioPlayer::GetPlayingSamples(int count) const {
    std::lock_guard lock(d->queue->mutex);
    return d->queue->history.last(count, d->queue->progress.channels());
}

void AudioPlayer::SetInitialValue(int value) {
    d->initialValue = value;
}

int AudioPlayer::GetVolume() const {
    return d->backend->outputVolume();
}

void AudioPlayer::SetVolume(int volume) {
    d->backend->setOutputVolume(std::clamp(volume, 0, 65535));
}

bool AudioPlayer::GetMute() const {
    return d->backend->outputMuted();
}

void AudioPlayer::SetMute(bool mute) {
    d->backend->setOutputMuted(mute);
}

std::shared_ptr<SoundBackend> AudioPlayer::backend() const {
    return d->backend;
}

} // namespace quillotap
