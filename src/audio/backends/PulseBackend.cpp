#include "audio/backends/PulseBackend.h"

#include "audio/backends/PulseConnection.h"
#include "audio/backends/PulseStreams.h"

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <pulse/pulseaudio.h>

namespace quillotap {

namespace {

// A failed connection is retried at most this often.
constexpr qint64 kReconnectIntervalMs = 5000;

int sourceVolume(const PulseSource& source) {
    return pa_cvolume_valid(&source.volume) ? pulseToVolume(pa_cvolume_max(&source.volume)) : 0;
}

void signalConnection(pa_context*, int, void* userdata) {
    static_cast<const PulseConnection*>(userdata)->signal();
}

} // namespace

int pulseToVolume(pa_volume_t volume) {
    const auto scaled = (std::uint64_t(volume) * 65535u + PA_VOLUME_NORM / 2) / PA_VOLUME_NORM;
    return int(std::min<std::uint64_t>(scaled, 65535u));
}

pa_volume_t volumeToPulse(int volume) {
    const auto clamped = std::uint64_t(std::clamp(volume, 0, 65535));
    return pa_volume_t((clamped * PA_VOLUME_NORM + 32767u) / 65535u);
}

// Collects one source listing; handed to the back end when complete.
struct PulseBackend::Listing {
    PulseBackend* backend;
    std::vector<PulseSource> sources;

    static void add(pa_context*, const pa_source_info* info, int eol, void* userdata) {
        auto* listing = static_cast<Listing*>(userdata);
        if (eol != 0) {
            if (eol > 0)
                listing->backend->sourcesArrived(std::move(listing->sources));
            listing->backend->connection_->signal();
            listing->backend->listings_.erase(listing);
            delete listing;
            return;
        }
        PulseSource source;
        source.index = info->index;
        source.name = info->name ? info->name : "";
        source.description = QString::fromUtf8(
            info->description && *info->description ? info->description : source.name.c_str());
        source.volume = info->volume;
        source.channelMap = info->channel_map;
        for (uint32_t i = 0; i < info->n_ports; ++i) {
            const pa_source_port_info* port = info->ports[i];
            source.ports.push_back(
                {port->name,
                 QString::fromUtf8(port->description && *port->description ? port->description
                                                                           : port->name)});
        }
        if (info->active_port && info->active_port->name)
            source.activePort = info->active_port->name;
        listing->sources.push_back(std::move(source));
    }
};

PulseBackend::PulseBackend() : connection_(std::make_shared<PulseConnection>()) {
    ensureConnected();
}

PulseBackend::~PulseBackend() {
    connection_->disconnect();
    dropListings();
}

void PulseBackend::dropListings() {
    PulseConnection::Lock lock(*connection_);
    for (Listing* listing : listings_)
        delete listing;
    listings_.clear();
}

void PulseBackend::ensureConnected() {
    if (connection_->connected())
        return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (lastAttemptMs_ >= 0 && now - lastAttemptMs_ < kReconnectIntervalMs)
        return;
    lastAttemptMs_ = now;
    {
        std::lock_guard lock(mutex_);
        sources_.clear();
        defaultSource_.clear();
        outputStreams_.clear();
    }
    QString error;
    const bool connected = connection_->connect(&error);
    dropListings(); // of the previous connection, if any
    if (!connected) {
        std::lock_guard lock(mutex_);
        lastError_ = error;
        return;
    }
    PulseConnection::Lock lock(*connection_);
    pa_context* context = connection_->context();
    pa_context_set_subscribe_callback(
        context,
        [](pa_context*, pa_subscription_event_type_t event, uint32_t index, void* userdata) {
            auto* self = static_cast<PulseBackend*>(userdata);
            const auto facility = event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
            const auto type = event & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
            pa_operation* operation = nullptr;
            if (facility == PA_SUBSCRIPTION_EVENT_SOURCE)
                operation = self->refreshSources();
            else if (facility == PA_SUBSCRIPTION_EVENT_SERVER)
                operation = self->refreshServer();
            else if (facility == PA_SUBSCRIPTION_EVENT_SINK_INPUT &&
                     type == PA_SUBSCRIPTION_EVENT_CHANGE)
                self->refreshOutputStream(index);
            if (operation)
                pa_operation_unref(operation);
        },
        this);
    const auto mask =
        pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SOURCE | PA_SUBSCRIPTION_MASK_SERVER |
                               PA_SUBSCRIPTION_MASK_SINK_INPUT);
    connection_->finish(pa_context_subscribe(context, mask, signalConnection, connection_.get()));
    connection_->finish(refreshServer());
    connection_->finish(refreshSources());
}

pa_operation* PulseBackend::refreshSources() {
    auto* listing = new Listing{this, {}};
    pa_operation* operation =
        pa_context_get_source_info_list(connection_->context(), Listing::add, listing);
    if (operation)
        listings_.insert(listing);
    else
        delete listing;
    return operation;
}

pa_operation* PulseBackend::refreshServer() {
    return pa_context_get_server_info(
        connection_->context(),
        [](pa_context*, const pa_server_info* info, void* userdata) {
            auto* self = static_cast<PulseBackend*>(userdata);
            if (info) {
                std::lock_guard lock(self->mutex_);
                self->defaultSource_ = info->default_source_name ? info->default_source_name : "";
            }
            self->connection_->signal();
        },
        this);
}

void PulseBackend::refreshOutputStream(unsigned index) {
    {
        std::lock_guard lock(mutex_);
        if (!outputStreams_.contains(index))
            return;
    }
    pa_operation* operation = pa_context_get_sink_input_info(
        connection_->context(), index,
        [](pa_context*, const pa_sink_input_info* info, int eol, void* userdata) {
            if (eol != 0 || !info)
                return;
            auto* self = static_cast<PulseBackend*>(userdata);
            std::lock_guard lock(self->mutex_);
            if (self->outputStreams_.contains(info->index)) {
                self->outputVolume_ = pulseToVolume(pa_cvolume_max(&info->volume));
                self->outputMuted_ = info->mute != 0;
            }
        },
        this);
    if (operation)
        pa_operation_unref(operation);
}

void PulseBackend::sourcesArrived(std::vector<PulseSource> sources) {
    std::vector<std::pair<int, int>> changed; // device, volume
    {
        std::lock_guard lock(mutex_);
        for (size_t i = 0; i < sources.size() && ownVolumeSets_ == 0; ++i) {
            const auto old = std::find_if(sources_.begin(), sources_.end(), [&](const auto& s) {
                return s.index == sources[i].index;
            });
            if (old != sources_.end() && sourceVolume(*old) != sourceVolume(sources[i]))
                changed.emplace_back(int(i), sourceVolume(sources[i]));
        }
        sources_ = std::move(sources);
    }
    for (const auto& [device, volume] : changed)
        emit lineVolumeChanged(device, -1, volume);
}

void PulseBackend::volumeSetDone() {
    std::lock_guard lock(mutex_);
    ownVolumeSets_ = std::max(0, ownVolumeSets_ - 1);
}

bool PulseBackend::isConnected() const {
    return connection_->connected();
}

QString PulseBackend::lastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

QString PulseBackend::name() const {
    return QStringLiteral("pulse");
}

int PulseBackend::deviceCount() const {
    std::lock_guard lock(mutex_);
    return int(sources_.size());
}

int PulseBackend::defaultDevice() const {
    std::lock_guard lock(mutex_);
    const auto it = std::find_if(sources_.begin(), sources_.end(),
                                 [&](const auto& s) { return s.name == defaultSource_; });
    return it == sources_.end() ? 0 : int(it - sources_.begin());
}

bool PulseBackend::deviceValid(int device) const {
    std::lock_guard lock(mutex_);
    return device >= 0 && device < int(sources_.size());
}

QString PulseBackend::deviceName(int device) const {
    std::lock_guard lock(mutex_);
    if (device < 0 || device >= int(sources_.size()))
        return {};
    return sources_[size_t(device)].description;
}

int PulseBackend::lineCount(int device) const {
    std::lock_guard lock(mutex_);
    if (device < 0 || device >= int(sources_.size()))
        return 0;
    return std::max(1, int(sources_[size_t(device)].ports.size()));
}

SoundLine PulseBackend::line(int device, int line) const {
    std::lock_guard lock(mutex_);
    if (device < 0 || device >= int(sources_.size()) || line < 0)
        return {};
    const PulseSource& source = sources_[size_t(device)];
    SoundLine result;
    if (source.ports.empty()) {
        if (line != 0)
            return {};
        result.name = source.description;
        result.selected = true;
    } else {
        if (line >= int(source.ports.size()))
            return {};
        result.name = source.ports[size_t(line)].description;
        result.selected = source.ports[size_t(line)].name == source.activePort;
    }
    result.hasVolume = true;
    result.volume = sourceVolume(source);
    result.hasBalance =
        pa_channel_map_valid(&source.channelMap) && pa_channel_map_can_balance(&source.channelMap);
    result.balance =
        result.hasBalance
            ? int(std::lround((pa_cvolume_get_balance(&source.volume, &source.channelMap) + 1.0) *
                              50.0))
            : 50;
    return result;
}

bool PulseBackend::selectLine(int device, int line) {
    unsigned index = 0;
    std::string port;
    {
        std::lock_guard lock(mutex_);
        if (device < 0 || device >= int(sources_.size()) || line < 0)
            return false;
        const PulseSource& source = sources_[size_t(device)];
        if (source.ports.empty())
            return line == 0; // the only line is always the source
        if (line >= int(source.ports.size()))
            return false;
        index = source.index;
        port = source.ports[size_t(line)].name;
    }
    struct Result {
        const PulseConnection* connection;
        bool success = false;
    } result{connection_.get()};
    PulseConnection::Lock lock(*connection_);
    pa_operation* operation = pa_context_set_source_port_by_index(
        connection_->context(), index, port.c_str(),
        [](pa_context*, int success, void* userdata) {
            auto* r = static_cast<Result*>(userdata);
            r->success = success != 0;
            r->connection->signal();
        },
        &result);
    if (!connection_->finish(operation) || !result.success)
        return false;
    std::lock_guard cacheLock(mutex_);
    for (PulseSource& source : sources_)
        if (source.index == index)
            source.activePort = port;
    return true;
}

// Sends a source volume the program set itself to the server; the reply is
// counted so that the change is not reported back as a GainChange.
bool PulseBackend::sendSourceVolume(unsigned index, const pa_cvolume& cv) {
    PulseConnection::Lock lock(*connection_);
    pa_operation* operation = pa_context_set_source_volume_by_index(
        connection_->context(), index, &cv,
        [](pa_context*, int, void* userdata) {
            static_cast<PulseBackend*>(userdata)->volumeSetDone();
        },
        this);
    if (!operation) {
        volumeSetDone();
        return false;
    }
    pa_operation_unref(operation);
    return true;
}

bool PulseBackend::setLineVolume(int device, int line, int volume) {
    unsigned index = 0;
    pa_cvolume cv;
    {
        std::lock_guard lock(mutex_);
        if (device < 0 || device >= int(sources_.size()) || line < 0 ||
            line >= std::max(1, int(sources_[size_t(device)].ports.size())))
            return false;
        PulseSource& source = sources_[size_t(device)];
        cv = source.volume;
        const pa_volume_t target = volumeToPulse(volume);
        if (!pa_cvolume_valid(&cv))
            return false;
        if (pa_cvolume_max(&cv) == PA_VOLUME_MUTED)
            pa_cvolume_set(&cv, cv.channels, target);
        else
            pa_cvolume_scale(&cv, target);
        source.volume = cv; // known as ours when the change comes back
        index = source.index;
        ++ownVolumeSets_;
    }
    return sendSourceVolume(index, cv);
}

bool PulseBackend::setLineBalance(int device, int line, int balance) {
    unsigned index = 0;
    pa_cvolume cv;
    {
        std::lock_guard lock(mutex_);
        if (device < 0 || device >= int(sources_.size()) || line < 0 ||
            line >= std::max(1, int(sources_[size_t(device)].ports.size())))
            return false;
        PulseSource& source = sources_[size_t(device)];
        if (!pa_cvolume_valid(&source.volume) || !pa_channel_map_can_balance(&source.channelMap))
            return false;
        cv = source.volume;
        const float target = float(std::clamp(balance, 0, 100)) / 50.0f - 1.0f;
        if (!pa_cvolume_set_balance(&cv, &source.channelMap, target))
            return false;
        source.volume = cv;
        index = source.index;
        ++ownVolumeSets_;
    }
    return sendSourceVolume(index, cv);
}

std::unique_ptr<CaptureStream> PulseBackend::openCapture(int device, int sampleRate, int channels,
                                                         CaptureCallback callback,
                                                         CaptureErrorCallback onError,
                                                         QString* error) {
    ensureConnected();
    std::string source;
    QString description;
    {
        std::lock_guard lock(mutex_);
        if (device < 0 || device >= int(sources_.size())) {
            if (error)
                *error = lastError_.isEmpty()
                             ? QCoreApplication::translate("quillotap::PulseBackend",
                                                           "There is no input device %1.")
                                   .arg(device)
                             : lastError_;
            return nullptr;
        }
        source = sources_[size_t(device)].name;
        description = sources_[size_t(device)].description;
    }
    auto capture =
        std::make_unique<PulseCapture>(connection_, std::move(callback), std::move(onError));
    if (!capture->open(source, description, sampleRate, channels, error))
        return nullptr;
    return capture;
}

std::unique_ptr<PlaybackStream> PulseBackend::openPlayback(int sampleRate, int channels,
                                                           PlaybackCallback callback,
                                                           PlaybackErrorCallback onError,
                                                           QString* error) {
    ensureConnected();
    if (!connection_->connected()) {
        if (error)
            *error = lastError();
        return nullptr;
    }
    const int volume = outputVolume();
    const bool muted = outputMuted();
    auto playback =
        std::make_unique<PulsePlayback>(connection_, this, std::move(callback), std::move(onError));
    if (!playback->open(sampleRate, channels, volume, muted, error))
        return nullptr;
    return playback;
}

int PulseBackend::outputVolume() const {
    std::lock_guard lock(mutex_);
    return outputVolume_;
}

bool PulseBackend::outputMuted() const {
    std::lock_guard lock(mutex_);
    return outputMuted_;
}

void PulseBackend::setOutputVolume(int volume) {
    std::map<unsigned, int> streams;
    {
        std::lock_guard lock(mutex_);
        outputVolume_ = std::clamp(volume, 0, 65535);
        streams = outputStreams_;
    }
    if (streams.empty())
        return;
    PulseConnection::Lock lock(*connection_);
    for (const auto& [index, channels] : streams) {
        pa_cvolume cv;
        pa_cvolume_set(&cv, unsigned(channels), volumeToPulse(volume));
        if (pa_operation* operation = pa_context_set_sink_input_volume(
                connection_->context(), index, &cv, nullptr, nullptr))
            pa_operation_unref(operation);
    }
}

void PulseBackend::setOutputMuted(bool muted) {
    std::map<unsigned, int> streams;
    {
        std::lock_guard lock(mutex_);
        outputMuted_ = muted;
        streams = outputStreams_;
    }
    if (streams.empty())
        return;
    PulseConnection::Lock lock(*connection_);
    for (const auto& [index, channels] : streams)
        if (pa_operation* operation = pa_context_set_sink_input_mute(
                connection_->context(), index, muted ? 1 : 0, nullptr, nullptr))
            pa_operation_unref(operation);
}

void PulseBackend::outputStreamStarted(unsigned index, int channels) {
    std::lock_guard lock(mutex_);
    outputStreams_[index] = channels;
}

void PulseBackend::outputStreamEnded(unsigned index) {
    std::lock_guard lock(mutex_);
    outputStreams_.erase(index);
}

} // namespace quillotap
