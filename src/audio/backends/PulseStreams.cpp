#include "audio/backends/PulseStreams.h"

#include "audio/backends/PulseBackend.h"
#include "audio/backends/PulseConnection.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstring>
#include <pulse/pulseaudio.h>

namespace quillotap {

namespace {

constexpr pa_usec_t kCaptureFragmentUs = 20 * PA_USEC_PER_MSEC;
// How much the server buffers ahead of the sound. Enough that a busy machine
// that leaves the stream unfed for a moment does not run it dry: the server
// skips sound after such an underrun. Stopping, pausing and seeking unlink the
// stream, which drops the buffer at once, and the position follows the
// stream's clock, so neither depends on this.
constexpr pa_usec_t kPlaybackTargetUs = 500 * PA_USEC_PER_MSEC;
// The stream's clock is interpolated between the server's timing reports and
// can run a little ahead of the sound. The end of the supplied samples counts
// as heard only once the clock is this far past it, so that stopping the
// stream at the end cuts none of the last sound.
constexpr pa_usec_t kEndMarginUs = 100 * PA_USEC_PER_MSEC;
// How long stopping waits for the server's timing report.
constexpr int kTimingReportWaitMs = 250;

bool formatFor(int sampleRate, int channels, pa_sample_spec* spec, pa_channel_map* map) {
    spec->format = PA_SAMPLE_S16LE;
    spec->rate = uint32_t(std::max(sampleRate, 0));
    spec->channels = uint8_t(std::clamp(channels, 0, 255));
    return channels >= 1 && channels <= 2 && pa_sample_spec_valid(spec) &&
           pa_channel_map_init_auto(map, spec->channels, PA_CHANNEL_MAP_DEFAULT);
}

// With the lock held: waits until the stream is ready or has failed.
bool waitReady(const PulseConnection& connection, pa_stream* stream, QString* error) {
    const bool settled = connection.waitUntil([stream] {
        const pa_stream_state_t state = pa_stream_get_state(stream);
        return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
    });
    if (settled && pa_stream_get_state(stream) == PA_STREAM_READY)
        return true;
    if (error)
        *error =
            settled
                ? QCoreApplication::translate("quillotap::PulseStreams",
                                              "The sound server refused the stream: %1")
                      .arg(QString::fromUtf8(pa_strerror(pa_context_errno(connection.context()))))
                : QCoreApplication::translate("quillotap::PulseStreams",
                                              "The sound server did not open the stream in time.");
    return false;
}

// What a stream is for, in its error messages.
struct StreamKind {
    const char* name;    // shown by the sound server's mixers
    QString unsupported; // %1 rate, %2 channels
    QString cannotCreate;
    QString cannotConnect;
};

const StreamKind& captureKind() {
    static const StreamKind kind{
        "Recording",
        QCoreApplication::translate("quillotap::PulseStreams",
                                    "Unsupported capture format: %1 Hz, %2 channels."),
        QCoreApplication::translate("quillotap::PulseStreams", "Cannot create a record stream."),
        QCoreApplication::translate("quillotap::PulseStreams", "Cannot record from the source.")};
    return kind;
}

const StreamKind& playbackKind() {
    static const StreamKind kind{
        "Playback",
        QCoreApplication::translate("quillotap::PulseStreams",
                                    "Unsupported playback format: %1 Hz, %2 channels."),
        QCoreApplication::translate("quillotap::PulseStreams", "Cannot create a playback stream."),
        QCoreApplication::translate("quillotap::PulseStreams",
                                    "Cannot play on the default output.")};
    return kind;
}

void setError(QString* error, const QString& text) {
    if (error && error->isEmpty())
        *error = text;
}

// With the lock held: a new, unconnected stream of this format, or null
// with *error saying why.
pa_stream* newStream(const PulseConnection& connection, const StreamKind& kind, int sampleRate,
                     int channels, pa_sample_spec* spec, QString* error) {
    pa_channel_map map;
    if (!formatFor(sampleRate, channels, spec, &map)) {
        setError(error, kind.unsupported.arg(sampleRate).arg(channels));
        return nullptr;
    }
    pa_stream* stream = pa_stream_new(connection.context(), kind.name, spec, &map);
    if (!stream)
        setError(error, kind.cannotCreate);
    return stream;
}

// With the lock held: detaches the callbacks and releases the stream.
void release(pa_stream*& stream) {
    if (!stream)
        return;
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_set_read_callback(stream, nullptr, nullptr);
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
        pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    stream = nullptr;
}

} // namespace

PulseCapture::PulseCapture(std::shared_ptr<PulseConnection> connection,
                           SoundBackend::CaptureCallback callback,
                           SoundBackend::CaptureErrorCallback onError)
    : connection_(std::move(connection)), callback_(std::move(callback)),
      onError_(std::move(onError)) {}

PulseCapture::~PulseCapture() {
    stop();
}

bool PulseCapture::open(const std::string& source, const QString& description, int sampleRate,
                        int channels, QString* error) {
    PulseConnection::Lock lock(*connection_);
    description_ = description;
    pa_sample_spec spec;
    stream_ = newStream(*connection_, captureKind(), sampleRate, channels, &spec, error);
    if (!stream_)
        return false;
    pa_stream_set_state_callback(stream_, streamStateChanged, this);
    pa_stream_set_read_callback(stream_, readable, this);
    pa_stream_set_moved_callback(stream_, moved, this);
    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(-1);
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(pa_usec_to_bytes(kCaptureFragmentUs, &spec));
    if (pa_stream_connect_record(stream_, source.c_str(), &attr, PA_STREAM_ADJUST_LATENCY) < 0 ||
        !waitReady(*connection_, stream_, error)) {
        pa_stream_set_moved_callback(stream_, nullptr, nullptr);
        release(stream_);
        setError(error, captureKind().cannotConnect);
        return false;
    }
    sourceIndex_ = pa_stream_get_device_index(stream_);
    open_ = true;
    return true;
}

void PulseCapture::stop() {
    if (!stream_)
        return;
    PulseConnection::Lock lock(*connection_);
    if (sourceCheck_) {
        pa_operation_cancel(sourceCheck_);
        pa_operation_unref(sourceCheck_);
        sourceCheck_ = nullptr;
    }
    pa_stream_set_moved_callback(stream_, nullptr, nullptr);
    release(stream_);
}

void PulseCapture::lose(const QString& reason) {
    if (lost_)
        return;
    lost_ = true;
    if (onError_)
        onError_(reason);
}

void PulseCapture::streamStateChanged(pa_stream* stream, void* userdata) {
    auto* self = static_cast<PulseCapture*>(userdata);
    self->connection_->signal(); // open() may be waiting for the stream
    if (!self->open_ || PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
        return;
    pa_context* context = pa_stream_get_context(stream);
    const int error = pa_context_errno(context);
    const QString why = QString::fromUtf8(pa_strerror(error));
    if (pa_context_get_state(context) != PA_CONTEXT_READY)
        self->lose(QCoreApplication::translate("quillotap::PulseStreams",
                                               "The connection to the sound server was lost (%1).")
                       .arg(why));
    else if (error == PA_ERR_KILLED) // what the server does to streams of a source it removes
        self->lose(QCoreApplication::translate(
                       "quillotap::PulseStreams",
                       "The input \"%1\" was removed or stopped by the sound server.")
                       .arg(self->description_));
    else
        self->lose(
            QCoreApplication::translate("quillotap::PulseStreams",
                                        "The sound server ended the recording from \"%1\" (%2).")
                .arg(self->description_, why));
}

void PulseCapture::moved(pa_stream* stream, void* userdata) {
    auto* self = static_cast<PulseCapture*>(userdata);
    if (!self->open_ || self->lost_ || self->sourceCheck_ ||
        pa_stream_get_device_index(stream) == self->sourceIndex_)
        return;
    // Reading pauses until the server says whether the old source is still there.
    self->sourceFound_ = false;
    self->sourceCheck_ = pa_context_get_source_info_by_index(
        pa_stream_get_context(stream), self->sourceIndex_, sourceChecked, self);
}

void PulseCapture::sourceChecked(pa_context*, const pa_source_info* info, int eol, void* userdata) {
    auto* self = static_cast<PulseCapture*>(userdata);
    if (info)
        self->sourceFound_ = true;
    if (eol == 0)
        return;
    pa_operation_unref(self->sourceCheck_);
    self->sourceCheck_ = nullptr;
    if (!self->sourceFound_) {
        self->lose(
            QCoreApplication::translate("quillotap::PulseStreams", "The input \"%1\" was removed.")
                .arg(self->description_));
        return;
    }
    // Moved on purpose (a mixer): the stream records from its new source.
    self->sourceIndex_ = pa_stream_get_device_index(self->stream_);
    self->read();
}

void PulseCapture::readable(pa_stream*, std::size_t, void* userdata) {
    static_cast<PulseCapture*>(userdata)->read();
}

void PulseCapture::read() {
    // Nothing is read after a loss, nor while a move is being checked.
    if (lost_ || sourceCheck_)
        return;
    while (pa_stream_readable_size(stream_) > 0) {
        const void* data = nullptr;
        std::size_t bytes = 0;
        if (pa_stream_peek(stream_, &data, &bytes) < 0 || bytes == 0)
            break;
        const std::size_t count = bytes / sizeof(int16_t);
        if (data) {
            callback_(static_cast<const int16_t*>(data), count);
        } else {
            // A hole in the server's buffer: keep the timeline with silence.
            silence_.assign(count, 0);
            callback_(silence_.data(), count);
        }
        pa_stream_drop(stream_);
    }
}

PulsePlayback::PulsePlayback(std::shared_ptr<PulseConnection> connection, PulseBackend* backend,
                             SoundBackend::PlaybackCallback callback,
                             SoundBackend::PlaybackErrorCallback onError)
    : connection_(std::move(connection)), backend_(backend), callback_(std::move(callback)),
      onError_(std::move(onError)) {}

PulsePlayback::~PulsePlayback() {
    stop();
}

bool PulsePlayback::open(int sampleRate, int channels, int volume, bool muted, QString* error) {
    PulseConnection::Lock lock(*connection_);
    pa_sample_spec spec;
    stream_ = newStream(*connection_, playbackKind(), sampleRate, channels, &spec, error);
    if (!stream_)
        return false;
    sampleRate_ = sampleRate;
    channels_ = channels;
    pa_stream_set_state_callback(stream_, streamStateChanged, this);
    pa_stream_set_write_callback(stream_, writable, this);
    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(pa_usec_to_bytes(kPlaybackTargetUs, &spec));
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(-1);
    pa_cvolume cv;
    pa_cvolume_set(&cv, spec.channels, volumeToPulse(volume));
    const auto flags = pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING |
                                         PA_STREAM_AUTO_TIMING_UPDATE |
                                         (muted ? PA_STREAM_START_MUTED : PA_STREAM_START_UNMUTED));
    if (pa_stream_connect_playback(stream_, nullptr, &attr, flags, &cv, nullptr) < 0 ||
        !waitReady(*connection_, stream_, error)) {
        release(stream_);
        setError(error, playbackKind().cannotConnect);
        return false;
    }
    sinkInput_ = pa_stream_get_index(stream_);
    backend_->outputStreamStarted(sinkInput_, channels);
    open_ = true;
    return true;
}

void PulsePlayback::streamStateChanged(pa_stream* stream, void* userdata) {
    auto* self = static_cast<PulsePlayback*>(userdata);
    self->connection_->signal(); // open() may be waiting for the stream
    if (!self->open_ || self->lost_ || PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
        return;
    self->lost_ = true;
    pa_context* context = pa_stream_get_context(stream);
    const int error = pa_context_errno(context);
    const QString why = QString::fromUtf8(pa_strerror(error));
    QString reason;
    if (pa_context_get_state(context) != PA_CONTEXT_READY)
        reason = QStringLiteral("The connection to the sound server was lost (%1).").arg(why);
    else if (error == PA_ERR_KILLED) // what the server does to streams of an output it removes
        reason = QStringLiteral("The output was removed or stopped by the sound server.");
    else
        reason = QStringLiteral("The sound server ended the playback (%1).").arg(why);
    if (self->onError_)
        self->onError_(reason);
}

void PulsePlayback::stop() {
    if (!stream_)
        return;
    PulseConnection::Lock lock(*connection_);
    // Unlinking the stream drops what the server still holds for it, so the
    // sound ends where the stream's clock stands now: read from a fresh
    // report of the server, not estimated from the last one.
    qint64 frames = -1;
    if (open_ && !lost_ &&
        connection_->finish(pa_stream_update_timing_info(stream_, nullptr, nullptr),
                            kTimingReportWaitMs))
        frames = reportedFrames();
    playedAtStop_ = frames >= 0 ? timeline_.dataBefore(frames) : heard();
    release(stream_);
    backend_->outputStreamEnded(sinkInput_);
}

qint64 PulsePlayback::streamFrames() const {
    pa_usec_t usec = 0;
    // No timing information yet: nothing has been played.
    if (pa_stream_get_time(stream_, &usec) < 0)
        usec = 0;
    return qint64(usec * pa_usec_t(sampleRate_) / PA_USEC_PER_SEC);
}

qint64 PulsePlayback::reportedFrames() const {
    const pa_timing_info* info = pa_stream_get_timing_info(stream_);
    if (!info || info->read_index_corrupt || info->read_index < 0)
        return -1;
    // What the server had read, less what its output still held then, plus
    // the time since the report.
    const pa_usec_t read = pa_usec_t(info->read_index) * PA_USEC_PER_SEC /
                           pa_usec_t(sampleRate_ * channels_ * int(sizeof(int16_t)));
    const pa_usec_t played = read > info->sink_usec ? read - info->sink_usec : 0;
    const pa_usec_t usec = played + pa_timeval_age(&info->timestamp);
    return qint64(usec * pa_usec_t(sampleRate_) / PA_USEC_PER_SEC);
}

qint64 PulsePlayback::heard() const {
    return timeline_.dataBefore(streamFrames());
}

qint64 PulsePlayback::playedFrames() const {
    if (!stream_)
        return playedAtStop_;
    PulseConnection::Lock lock(*connection_);
    return heard();
}

qint64 PulsePlayback::pendingFrames() const {
    if (!stream_)
        return 0;
    PulseConnection::Lock lock(*connection_);
    const qint64 now = streamFrames();
    const qint64 margin = qint64(kEndMarginUs * pa_usec_t(sampleRate_) / PA_USEC_PER_SEC);
    return std::max<qint64>({0, timeline_.dataWritten() - timeline_.dataBefore(now),
                             timeline_.dataEnd() + margin - now});
}

void PulsePlayback::writable(pa_stream*, std::size_t bytes, void* userdata) {
    static_cast<PulsePlayback*>(userdata)->write(bytes);
}

void PulsePlayback::write(std::size_t bytes) {
    void* data = nullptr;
    std::size_t size = bytes;
    if (pa_stream_begin_write(stream_, &data, &size) < 0 || !data)
        return;
    const std::size_t frameBytes = sizeof(int16_t) * std::size_t(channels_);
    size -= size % frameBytes;
    if (size == 0) {
        pa_stream_cancel_write(stream_);
        return;
    }
    auto* samples = static_cast<int16_t*>(data);
    const std::size_t count = size / sizeof(int16_t);
    std::size_t got = std::min(callback_(samples, count), count);
    got -= got % std::size_t(channels_);
    std::memset(samples + got, 0, (count - got) * sizeof(int16_t));
    if (pa_stream_write(stream_, data, size, nullptr, 0, PA_SEEK_RELATIVE) == 0)
        timeline_.written(qint64(count) / channels_, qint64(got) / channels_);
}

} // namespace quillotap
