#include "audio/backends/SyntheticBackend.h"

#include "audio/backends/SyntheticStreams.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quillotap {

namespace {

SyntheticLine lineNamed(const QString& name) {
    SyntheticLine line;
    line.name = name;
    static const QRegularExpression sine(QStringLiteral("^Sine\\s+([0-9.]+)\\s*Hz$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression bursts(
        QStringLiteral("^Bursts\\s+([0-9.]+)\\s*/\\s*([0-9.]+)$"),
        QRegularExpression::CaseInsensitiveOption);
    if (name == QLatin1String("Silence")) {
        line.signal = SyntheticSignal::Silence;
    } else if (name == QLatin1String("Noise")) {
        line.signal = SyntheticSignal::Noise;
    } else if (name == QLatin1String("Counter")) {
        line.signal = SyntheticSignal::Counter;
    } else if (const auto match = bursts.match(name); match.hasMatch()) {
        const double burst = match.captured(1).toDouble();
        const double pause = match.captured(2).toDouble();
        if (burst > 0 && pause > 0) {
            line.signal = SyntheticSignal::Bursts;
            line.burstSeconds = burst;
            line.pauseSeconds = pause;
        }
    } else if (const auto match = sine.match(name); match.hasMatch()) {
        bool ok = false;
        const double frequency = match.captured(1).toDouble(&ok);
        if (ok && frequency > 0)
            line.frequency = frequency;
    }
    return line;
}

bool applyLineOption(const QString& option, SyntheticLine* line, bool* selected) {
    bool ok = true;
    if (option == QLatin1String("novolume")) {
        line->hasVolume = false;
    } else if (option == QLatin1String("nobalance")) {
        line->hasBalance = false;
    } else if (option == QLatin1String("selected")) {
        *selected = true;
    } else if (option.startsWith(QLatin1String("volume="))) {
        line->volume = option.mid(7).toInt(&ok);
        ok = ok && line->volume >= 0 && line->volume <= 65535;
    } else if (option.startsWith(QLatin1String("balance="))) {
        line->balance = option.mid(8).toInt(&ok);
        ok = ok && line->balance >= 0 && line->balance <= 100;
    } else {
        ok = false;
    }
    return ok;
}

bool parseDevice(const QString& text, SyntheticDevice* device, QString* error) {
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    QString name = (colon < 0 ? text : text.left(colon)).trimmed();
    if (name.endsWith(QLatin1Char('!'))) {
        device->valid = false;
        name.chop(1);
    }
    device->name = name.trimmed();
    if (colon < 0) {
        device->lines = SyntheticBackend::standardDevices().front().lines;
        return true;
    }
    const QString lines = text.mid(colon + 1);
    if (lines.trimmed().isEmpty())
        return true;
    for (const QString& lineText : lines.split(QLatin1Char('|'))) {
        QStringList parts = lineText.split(QLatin1Char('#'));
        SyntheticLine line = lineNamed(parts.takeFirst().trimmed());
        bool selected = false;
        for (const QString& option : parts) {
            if (!applyLineOption(option.trimmed(), &line, &selected)) {
                *error = QStringLiteral("bad option \"%1\" of line \"%2\"")
                             .arg(option.trimmed(), line.name);
                return false;
            }
        }
        if (selected)
            device->selectedLine = int(device->lines.size());
        device->lines.push_back(line);
    }
    return true;
}

bool validLine(const std::vector<SyntheticDevice>& devices, int device, int line) {
    return device >= 0 && device < int(devices.size()) && line >= 0 &&
           line < int(devices[size_t(device)].lines.size());
}

} // namespace

SyntheticBackend::SyntheticBackend() : devices_(standardDevices()) {}

SyntheticBackend::~SyntheticBackend() = default;

std::vector<SyntheticDevice> SyntheticBackend::standardDevices() {
    SyntheticDevice device;
    device.name = QStringLiteral("Test signal");
    for (const char* name : {"Sine 440 Hz", "Silence", "Noise"})
        device.lines.push_back(lineNamed(QString::fromLatin1(name)));
    return {device};
}

std::vector<SyntheticDevice> SyntheticBackend::parseDevices(const QString& text, QString* error) {
    std::vector<SyntheticDevice> devices;
    QString reason;
    for (const QString& deviceText : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        SyntheticDevice device;
        if (!parseDevice(deviceText, &device, &reason))
            ;
        else if (device.name.isEmpty())
            reason = QStringLiteral("device without a name in \"%1\"").arg(deviceText);
        if (!reason.isEmpty()) {
            if (error)
                *error = reason;
            return {};
        }
        devices.push_back(device);
    }
    return devices;
}

std::shared_ptr<SyntheticBackend> SyntheticBackend::fromEnvironment() {
    auto backend = std::make_shared<SyntheticBackend>();
    bool ok = false;
    const double speed = qEnvironmentVariable("QUILLOTAP_AUDIO_SPEED").toDouble(&ok);
    if (ok && speed > 0)
        backend->setSpeed(speed);
    const QString table = qEnvironmentVariable("QUILLOTAP_SYNTHETIC_DEVICES");
    if (!table.isEmpty()) {
        QString error;
        auto devices = parseDevices(table, &error);
        if (devices.empty())
            std::fprintf(stderr, "QUILLOTAP_SYNTHETIC_DEVICES ignored: %s\n", qPrintable(error));
        else
            backend->setDevices(std::move(devices));
    }
    const int defaultDevice = qEnvironmentVariable("QUILLOTAP_SYNTHETIC_DEFAULT").toInt(&ok);
    if (ok)
        backend->setDefaultDevice(defaultDevice);
    const QStringList failures = qEnvironmentVariable("QUILLOTAP_SYNTHETIC_FAIL")
                                     .split(QLatin1Char(','), Qt::SkipEmptyParts);
    backend->setCaptureFailure(failures.contains(QLatin1String("capture")));
    backend->setPlaybackFailure(failures.contains(QLatin1String("playback")));
    return backend;
}

void SyntheticBackend::setDevices(std::vector<SyntheticDevice> devices) {
    std::lock_guard lock(mutex_);
    devices_ = std::move(devices);
}

std::vector<SyntheticDevice> SyntheticBackend::devices() const {
    std::lock_guard lock(mutex_);
    return devices_;
}

void SyntheticBackend::setDefaultDevice(int index) {
    std::lock_guard lock(mutex_);
    defaultDevice_ = index;
}

void SyntheticBackend::setSpeed(double factor) {
    speed_ = factor > 0 ? factor : 1.0;
}

double SyntheticBackend::speed() const {
    return paused_ ? 0.0 : speed_.load();
}

void SyntheticBackend::setPaused(bool paused) {
    paused_ = paused;
}

void SyntheticBackend::setCaptureFailure(bool fail) {
    std::lock_guard lock(mutex_);
    failCapture_ = fail;
}

void SyntheticBackend::setPlaybackFailure(bool fail) {
    std::lock_guard lock(mutex_);
    failPlayback_ = fail;
}

void SyntheticBackend::simulateExternalVolumeChange(int device, int line, int volume) {
    {
        std::lock_guard lock(mutex_);
        if (!validLine(devices_, device, line))
            return;
        devices_[size_t(device)].lines[size_t(line)].volume = std::clamp(volume, 0, 65535);
    }
    emit lineVolumeChanged(device, line, std::clamp(volume, 0, 65535));
}

void SyntheticBackend::removeDevice(int device) {
    std::lock_guard lock(mutex_);
    if (device < 0 || device >= int(devices_.size()))
        return;
    const QString reason =
        QStringLiteral("The input \"%1\" was removed.").arg(devices_[size_t(device)].name);
    devices_.erase(devices_.begin() + device);
    for (SyntheticCapture* capture : captures_) {
        if (capture->device_ == device && !capture->lost_) {
            capture->lost_ = true;
            capture->lostReason_ = reason;
        } else if (capture->device_ > device) {
            --capture->device_;
        }
    }
}

void SyntheticBackend::removeOutput() {
    std::lock_guard lock(mutex_);
    for (SyntheticOutput* output : outputs_)
        if (output->lostReason_.isEmpty())
            output->lostReason_ = QStringLiteral("The sound output was removed.");
}

void SyntheticBackend::attach(SyntheticOutput* output) {
    std::lock_guard lock(mutex_);
    outputs_.push_back(output);
}

void SyntheticBackend::detach(SyntheticOutput* output) {
    std::lock_guard lock(mutex_);
    std::erase(outputs_, output);
}

QString SyntheticBackend::outputLoss(const SyntheticOutput& output) const {
    std::lock_guard lock(mutex_);
    return output.lostReason_;
}

void SyntheticBackend::attach(SyntheticCapture* capture) {
    std::lock_guard lock(mutex_);
    captures_.push_back(capture);
}

void SyntheticBackend::detach(SyntheticCapture* capture) {
    std::lock_guard lock(mutex_);
    std::erase(captures_, capture);
}

qint64 SyntheticBackend::outputFramesPlayed() const {
    std::lock_guard lock(mutex_);
    return outputFrames_;
}

SampleBlock SyntheticBackend::outputSamples() const {
    std::lock_guard lock(mutex_);
    return SampleBlock(outputHistory_.begin(), outputHistory_.end());
}

void SyntheticBackend::setOutputHistoryCapacity(std::size_t elements) {
    std::lock_guard lock(mutex_);
    outputCapacity_ = elements;
    while (outputHistory_.size() > outputCapacity_)
        outputHistory_.pop_front();
}

void SyntheticBackend::clearOutput() {
    std::lock_guard lock(mutex_);
    outputFrames_ = 0;
    outputHistory_.clear();
}

QString SyntheticBackend::name() const {
    return QStringLiteral("synthetic");
}

int SyntheticBackend::deviceCount() const {
    std::lock_guard lock(mutex_);
    return int(devices_.size());
}

int SyntheticBackend::defaultDevice() const {
    std::lock_guard lock(mutex_);
    return defaultDevice_;
}

bool SyntheticBackend::deviceValid(int device) const {
    std::lock_guard lock(mutex_);
    return device >= 0 && device < int(devices_.size()) && devices_[size_t(device)].valid;
}

QString SyntheticBackend::deviceName(int device) const {
    std::lock_guard lock(mutex_);
    if (device < 0 || device >= int(devices_.size()))
        return {};
    return devices_[size_t(device)].name;
}

int SyntheticBackend::lineCount(int device) const {
    std::lock_guard lock(mutex_);
    if (device < 0 || device >= int(devices_.size()))
        return 0;
    return int(devices_[size_t(device)].lines.size());
}

SoundLine SyntheticBackend::line(int device, int line) const {
    std::lock_guard lock(mutex_);
    if (!validLine(devices_, device, line))
        return {};
    const SyntheticDevice& d = devices_[size_t(device)];
    const SyntheticLine& l = d.lines[size_t(line)];
    return SoundLine{l.name,   d.selectedLine == line, l.hasVolume,
                     l.volume, l.hasBalance,           l.balance};
}

bool SyntheticBackend::selectLine(int device, int line) {
    std::lock_guard lock(mutex_);
    if (!validLine(devices_, device, line))
        return false;
    devices_[size_t(device)].selectedLine = line;
    return true;
}

bool SyntheticBackend::setLineVolume(int device, int line, int volume) {
    std::lock_guard lock(mutex_);
    if (!validLine(devices_, device, line) ||
        !devices_[size_t(device)].lines[size_t(line)].hasVolume)
        return false;
    devices_[size_t(device)].lines[size_t(line)].volume = std::clamp(volume, 0, 65535);
    return true;
}

bool SyntheticBackend::setLineBalance(int device, int line, int balance) {
    std::lock_guard lock(mutex_);
    if (!validLine(devices_, device, line) ||
        !devices_[size_t(device)].lines[size_t(line)].hasBalance)
        return false;
    devices_[size_t(device)].lines[size_t(line)].balance = std::clamp(balance, 0, 100);
    return true;
}

bool SyntheticBackend::captureSettings(const SyntheticCapture& capture, SyntheticLine* line,
                                       QString* lost) const {
    std::lock_guard lock(mutex_);
    if (capture.lost_) {
        *lost = capture.lostReason_;
        return false;
    }
    const int device = capture.device_;
    if (device < 0 || device >= int(devices_.size()))
        return false;
    const SyntheticDevice& d = devices_[size_t(device)];
    if (!validLine(devices_, device, d.selectedLine))
        return false;
    *line = d.lines[size_t(d.selectedLine)];
    return true;
}

std::unique_ptr<CaptureStream> SyntheticBackend::openCapture(int device, int sampleRate,
                                                             int channels, CaptureCallback callback,
                                                             CaptureErrorCallback onError,
                                                             QString* error) {
    {
        std::lock_guard lock(mutex_);
        QString reason;
        if (failCapture_)
            reason = QStringLiteral("The synthetic capture was set to fail.");
        else if (device < 0 || device >= int(devices_.size()) || !devices_[size_t(device)].valid)
            reason = QStringLiteral("There is no usable input device %1.").arg(device);
        else if (sampleRate < 1000 || sampleRate > 384000 || channels < 1 || channels > 2)
            reason = QStringLiteral("Unsupported capture format: %1 Hz, %2 channels.")
                         .arg(sampleRate)
                         .arg(channels);
        if (!reason.isEmpty()) {
            if (error)
                *error = reason;
            return nullptr;
        }
    }
    return std::make_unique<SyntheticCapture>(this, device, sampleRate, channels,
                                              std::move(callback), std::move(onError));
}

std::unique_ptr<PlaybackStream> SyntheticBackend::openPlayback(int sampleRate, int channels,
                                                               PlaybackCallback callback,
                                                               PlaybackErrorCallback onError,
                                                               QString* error) {
    {
        std::lock_guard lock(mutex_);
        QString reason;
        if (failPlayback_)
            reason = QStringLiteral("The synthetic output was set to fail.");
        else if (sampleRate < 1000 || sampleRate > 384000 || channels < 1 || channels > 2)
            reason = QStringLiteral("Unsupported playback format: %1 Hz, %2 channels.")
                         .arg(sampleRate)
                         .arg(channels);
        if (!reason.isEmpty()) {
            if (error)
                *error = reason;
            return nullptr;
        }
    }
    return std::make_unique<SyntheticOutput>(this, sampleRate, channels, std::move(callback),
                                             std::move(onError));
}

int SyntheticBackend::outputVolume() const {
    std::lock_guard lock(mutex_);
    return outputVolume_;
}

void SyntheticBackend::setOutputVolume(int volume) {
    std::lock_guard lock(mutex_);
    outputVolume_ = std::clamp(volume, 0, 65535);
}

bool SyntheticBackend::outputMuted() const {
    std::lock_guard lock(mutex_);
    return outputMuted_;
}

void SyntheticBackend::setOutputMuted(bool muted) {
    std::lock_guard lock(mutex_);
    outputMuted_ = muted;
}

void SyntheticBackend::recordOutput(const int16_t* samples, std::size_t count, int channels) {
    std::lock_guard lock(mutex_);
    const double gain = outputMuted_ ? 0.0 : outputVolume_ / 65535.0;
    for (std::size_t i = 0; i < count; ++i)
        outputHistory_.push_back(int16_t(std::lround(samples[i] * gain)));
    while (outputHistory_.size() > outputCapacity_)
        outputHistory_.pop_front();
    outputFrames_ += qint64(count) / channels;
}

} // namespace quillotap
