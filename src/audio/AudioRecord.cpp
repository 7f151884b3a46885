#include "audio/AudioRecord.h"

#include "audio/SoundBackend.h"
#include "audio/engine/SampleHistory.h"
#include "audio/engine/StreamFormat.h"
#include "audio/engine/TimerProgress.h"

#include <QCoreApplication>
#include <QPointer>
#include <deque>
#include <mutex>

namespace quillotap {

// What one capture run (Start to Stop) produced. The capture thread appends,
// the UI thread takes; everything is guarded by `mutex`.
struct RecordRun {
    RecordRun(int rate, int channelCount, std::size_t block)
        : sampleRate(rate), channels(channelCount), blockSize(block), progress(rate, channelCount),
          history(std::max<std::size_t>(std::size_t(ElementsFor(rate, channelCount, 1000)),
                                        std::size_t(1) << 16)) {
        partial.reserve(blockSize);
    }

    // Capture thread: cuts the samples into blocks. Returns true when the UI
    // thread has to be told (a block completed or a Timer is due) and no
    // notice is already on its way.
    bool append(const int16_t* samples, std::size_t count) {
        std::lock_guard lock(mutex);
        history.append(samples, count);
        bool news = progress.add(samples, count);
        while (count > 0) {
            const std::size_t take = std::min(count, blockSize - partial.size());
            partial.insert(partial.end(), samples, samples + take);
            samples += take;
            count -= take;
            if (partial.size() == blockSize) {
                completed.push_back(std::move(partial));
                partial = SampleBlock();
                partial.reserve(blockSize);
                ++blocksCompleted;
                news = true;
            }
        }
        if (!news || noticePending)
            return false;
        noticePending = true;
        return true;
    }

    std::mutex mutex;
    const int sampleRate;
    const int channels;
    const std::size_t blockSize;
    std::deque<SampleBlock> completed;
    SampleBlock partial;
    qint64 blocksCompleted = 0;
    qint64 blocksAnnounced = 0; // UI thread only
    bool noticePending = false;
    TimerProgress progress;
    SampleHistory history;
};

struct AudioRecord::Private {
    AudioRecord* q = nullptr;
    std::shared_ptr<SoundBackend> backend;
    int device = 0;
    int line = 0;
    int sampleRate = 44100;
    int channels = 2;
    int bufferSize = 0; // 0: one second of the current format
    int status = 0;
    int runNumber = 0;
    QString errorText;
    std::shared_ptr<RecordRun> run;
    std::unique_ptr<CaptureStream> stream;

    SoundLine currentLine() const { return backend->line(device, line); }
    void fail(const QString& text) {
        status = -1;
        errorText = text;
    }
    void deliver(const std::shared_ptr<RecordRun>& r);
    void lose(const std::shared_ptr<RecordRun>& r, const QString& reason);
    void stopStream();
};

void AudioRecord::Private::stopStream() {
    // Called without holding the run's mutex: the capture thread may be
    // waiting for it inside the callback that stop() waits for.
    if (stream) {
        stream->stop();
        stream.reset();
    }
}

// UI thread: raises the events a capture run has pending.
void AudioRecord::Private::deliver(const std::shared_ptr<RecordRun>& r) {
    if (r != run || !stream)
        return; // stopped or restarted since the notice was sent
    // Only the blocks completed so far are announced here; blocks completed
    // meanwhile bring a new notice, so a writer slower than the capture still
    // lets Timer events and the rest of the event loop through.
    qint64 completed = 0;
    {
        std::lock_guard lock(r->mutex);
        r->noticePending = false;
        completed = r->blocksCompleted;
    }
    QPointer<AudioRecord> guard(q);
    for (;;) {
        qint64 number = 0;
        {
            std::lock_guard lock(r->mutex);
            if (r->blocksAnnounced >= completed)
                break;
            number = ++r->blocksAnnounced;
        }
        emit q->EndArrayRecord(int(number));
        if (!guard || r != run || !stream)
            return; // a handler stopped or destroyed the recorder
    }
    TimerProgress::Figures figures;
    {
        std::lock_guard lock(r->mutex);
        figures = r->progress.take();
    }
    if (figures.due)
        emit q->Timer(figures.frames, figures.left, figures.right);
}

// UI thread: the back end reported the capture of run `r` lost.
void AudioRecord::Private::lose(const std::shared_ptr<RecordRun>& r, const QString& reason) {
    if (r != run || !stream)
        return; // stopped or restarted since the report was sent
    q->Stop();
    fail(reason.isEmpty() ? QCoreApplication::translate("quillotap::AudioRecord",
                                                        "The recording input was lost.")
                          : reason);
    emit q->CaptureError(errorText);
}

AudioRecord::AudioRecord(QObject* parent) : AudioRecord(SoundBackend::instance(), parent) {}

AudioRecord::AudioRecord(std::shared_ptr<SoundBackend> backend, QObject* parent)
    : QObject(parent), d(std::make_unique<Private>()) {
    d->q = this;
    d->backend = backend ? std::move(backend) : SoundBackend::instance();
    d->device = d->backend->defaultDevice();
    connect(
        d->backend.get(), &SoundBackend::lineVolumeChanged, this,
        [this](int device, int line, int volume) {
            if (IsRunning() && device == d->device && (line < 0 || line == d->line))
                emit GainChange(volume);
        },
        Qt::QueuedConnection);
}

AudioRecord::~AudioRecord() {
    d->stopStream();
}

int AudioRecord::GetDeviceCount() const {
    return d->backend->deviceCount();
}

int AudioRecord::GetDevice() const {
    return d->device;
}

void AudioRecord::SetDevice(int index) {
    d->device = index;
    d->line = 0;
}

bool AudioRecord::GetDeviceValid() const {
    return d->backend->deviceValid(d->device);
}

QString AudioRecord::GetDeviceName() const {
    return d->backend->deviceName(d->device);
}

int AudioRecord::GetLineCount() const {
    return d->backend->lineCount(d->device);
}

void AudioRecord::SelectLine(int line) {
    d->line = line;
}

QString AudioRecord::GetLineName() const {
    return d->currentLine().name;
}

bool AudioRecord::GetLineSelected() const {
    return d->currentLine().selected;
}

void AudioRecord::SetLineSelected(bool selected) {
    // A device always records from one of its lines, so only selecting acts.
    if (selected)
        d->backend->selectLine(d->device, d->line);
}

bool AudioRecord::GetLineHasVolume() const {
    return d->currentLine().hasVolume;
}

int AudioRecord::GetLineVolume() const {
    return d->currentLine().volume;
}

bool AudioRecord::GetLineHasBalance() const {
    return d->currentLine().hasBalance;
}

int AudioRecord::GetLineBalance() const {
    return d->currentLine().balance;
}

void AudioRecord::SetLineVolume(int volume) {
    d->backend->setLineVolume(d->device, d->line, std::clamp(volume, 0, 65535));
}

void AudioRecord::SetLineBalance(int balance) {
    d->backend->setLineBalance(d->device, d->line, std::clamp(balance, 0, 100));
}

void AudioRecord::SetFormat(int sampleRate, int channels) {
    if (!IsValidStreamFormat(sampleRate, channels)) {
        d->fail(QCoreApplication::translate("quillotap::AudioRecord",
                                            "Unsupported recording format: %1 Hz, %2 channels.")
                    .arg(sampleRate)
                    .arg(channels));
        return;
    }
    d->sampleRate = sampleRate;
    d->channels = channels;
}

int AudioRecord::GetBufferSize(int milliseconds) const {
    return ElementsFor(d->sampleRate, d->channels, std::max(milliseconds, 0));
}

void AudioRecord::SetBufferSize(int elements) {
    if (elements < 1) {
        d->fail(QCoreApplication::translate("quillotap::AudioRecord", "Invalid block size: %1.")
                    .arg(elements));
        return;
    }
    d->bufferSize = elements;
}

void AudioRecord::Start() {
    Stop();
    d->status = 0;
    d->errorText.clear();
    const int blockSize = d->bufferSize > 0 ? d->bufferSize : GetBufferSize(1000);
    auto run = std::make_shared<RecordRun>(d->sampleRate, d->channels, std::size_t(blockSize));
    d->run = run;
    auto callback = [this, run](const int16_t* samples, std::size_t count) {
        if (run->append(samples, count))
            QMetaObject::invokeMethod(
                this, [this, run] { d->deliver(run); }, Qt::QueuedConnection);
    };
    auto onError = [this, run](const QString& reason) {
        QMetaObject::invokeMethod(
            this, [this, run, reason] { d->lose(run, reason); }, Qt::QueuedConnection);
    };
    QString error;
    d->stream =
        d->backend->openCapture(d->device, d->sampleRate, d->channels, callback, onError, &error);
    if (d->stream)
        ++d->runNumber;
    if (!d->stream)
        d->fail(error.isEmpty() ? QCoreApplication::translate("quillotap::AudioRecord",
                                                              "The recording could not start.")
                                : error);
}

void AudioRecord::Stop() {
    if (!d->stream)
        return;
    d->stopStream();
    std::lock_guard lock(d->run->mutex);
    if (!d->run->partial.empty()) {
        d->run->completed.push_back(std::move(d->run->partial));
        d->run->partial = SampleBlock();
    }
}

bool AudioRecord::IsRunning() const {
    return d->stream != nullptr;
}

int AudioRecord::GetStatus() const {
    return d->status;
}

QString AudioRecord::GetErrorText() const {
    return d->errorText;
}

SampleBlock AudioRecord::GetRecordedBuffer() {
    if (!d->run)
        return {};
    std::lock_guard lock(d->run->mutex);
    if (d->run->completed.empty())
        return {};
    SampleBlock block = std::move(d->run->completed.front());
    d->run->completed.pop_front();
    return block;
}

int AudioRecord::GetChannels() const {
    return d->run ? d->run->channels : d->channels;
}

int AudioRecord::GetSampleRate() const {
    return d->run ? d->run->sampleRate : d->sampleRate;
}

int AudioRecord::GetRunNumber() const {
    return d->runNumber;
}

void AudioRecord::CutBlock() {
    if (!d->stream)
        return;
    std::lock_guard lock(d->run->mutex);
    if (d->run->partial.empty())
        return;
    d->run->completed.push_back(std::move(d->run->partial));
    d->run->partial = SampleBlock();
    d->run->partial.reserve(d->run->blockSize);
    ++d->run->blocksCompleted;
}

qint64 AudioRecord::SamplesToMilliseconds(qint64 frames) const {
    // The rate of the capture that produced the frames, else the set format.
    return frames * 1000 / (d->run ? d->run->sampleRate : d->sampleRate);
}

SampleBlock AudioRecord::GetLastSamples(int count) const {
    if (!d->run)
        return {};
    std::lock_guard lock(d->run->mutex);
    return d->run->history.last(count, d->run->channels);
}

std::shared_ptr<SoundBackend> AudioRecord::backend() const {
    return d->backend;
}

} // namespace quillotap
