#include "audio/backends/SyntheticStreams.h"

#include "audio/backends/SyntheticBackend.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillotap {

namespace {

// Gains of the left and right channel for a 0..65535 volume and a 0..100
// balance (50 leaves both channels at the volume).
void channelGains(const SyntheticLine& line, double* left, double* right) {
    const double volume = std::clamp(line.volume, 0, 65535) / 65535.0;
    const int balance = std::clamp(line.balance, 0, 100);
    *left = volume * (balance <= 50 ? 1.0 : (100 - balance) / 50.0);
    *right = volume * (balance >= 50 ? 1.0 : balance / 50.0);
}

int16_t toSample(double value) {
    return int16_t(std::lround(std::clamp(value, -32768.0, 32767.0)));
}

} // namespace

SyntheticCapture::SyntheticCapture(SyntheticBackend* backend, int device, int sampleRate,
                                   int channels, SoundBackend::CaptureCallback callback,
                                   SoundBackend::CaptureErrorCallback onError)
    : backend_(backend), device_(device), sampleRate_(sampleRate), channels_(channels),
      callback_(std::move(callback)), onError_(std::move(onError)) {
    backend_->attach(this);
    thread_.start(
        sampleRate, [backend] { return backend->speed(); },
        [this](std::int64_t frames) { produce(frames); });
}

SyntheticCapture::~SyntheticCapture() {
    stop();
    backend_->detach(this);
}

void SyntheticCapture::stop() {
    thread_.stop();
}

double SyntheticCapture::nextValue(const SyntheticLine& line) {
    switch (line.signal) {
    case SyntheticSignal::Sine: {
        const double v = 16384.0 * std::sin(2.0 * std::numbers::pi * phase_);
        phase_ += line.frequency / sampleRate_;
        phase_ -= std::floor(phase_);
        return v;
    }
    case SyntheticSignal::Noise:
        return (double(noise_() % 16385u) - 8192.0);
    case SyntheticSignal::Bursts: {
        // Position in the pause-then-burst cycle, from the frames produced.
        const double seconds = double(elements_ / channels_ + framesThisRound_) / sampleRate_;
        const double cycle = line.pauseSeconds + line.burstSeconds;
        const double at = std::fmod(seconds, cycle);
        const double v =
            at < line.pauseSeconds ? 0.0 : 16384.0 * std::sin(2.0 * std::numbers::pi * phase_);
        phase_ += line.frequency / sampleRate_;
        phase_ -= std::floor(phase_);
        return v;
    }
    case SyntheticSignal::Counter:
    case SyntheticSignal::Silence:
        break;
    }
    return 0.0;
}

void SyntheticCapture::produce(std::int64_t frames) {
    if (lossReported_)
        return; // nothing follows the loss but its one report
    SyntheticLine line;
    QString lost;
    const bool present = backend_->captureSettings(*this, &line, &lost);
    if (!lost.isEmpty()) {
        lossReported_ = true;
        if (onError_)
            onError_(lost);
        return;
    }
    double gains[2] = {0.0, 0.0};
    if (present)
        channelGains(line, &gains[0], &gains[1]);
    if (present && channels_ == 1) // the balance acts only on two channels
        gains[0] = std::clamp(line.volume, 0, 65535) / 65535.0;
    buffer_.resize(size_t(frames) * size_t(channels_));
    size_t k = 0;
    for (std::int64_t f = 0; f < frames; ++f) {
        framesThisRound_ = f;
        const double frameValue =
            present && line.signal != SyntheticSignal::Counter ? nextValue(line) : 0.0;
        for (int c = 0; c < channels_; ++c, ++k) {
            const double value = present && line.signal == SyntheticSignal::Counter
                                     ? double(int16_t(uint16_t(elements_ + std::int64_t(k))))
                                     : frameValue;
            buffer_[k] = toSample(value * gains[channels_ == 2 ? c : 0]);
        }
    }
    elements_ += std::int64_t(k);
    callback_(buffer_.data(), buffer_.size());
    backend_->capturedFrames_ += frames;
}

SyntheticOutput::SyntheticOutput(SyntheticBackend* backend, int sampleRate, int channels,
                                 SoundBackend::PlaybackCallback callback,
                                 SoundBackend::PlaybackErrorCallback onError)
    : backend_(backend), channels_(channels), callback_(std::move(callback)),
      onError_(std::move(onError)) {
    backend_->attach(this);
    thread_.start(
        sampleRate, [backend] { return backend->speed(); },
        [this](std::int64_t frames) { consume(frames); });
}

SyntheticOutput::~SyntheticOutput() {
    stop();
    backend_->detach(this);
}

void SyntheticOutput::stop() {
    thread_.stop();
}

void SyntheticOutput::consume(std::int64_t frames) {
    if (lossReported_)
        return; // nothing follows the loss but its one report
    if (const QString lost = backend_->outputLoss(*this); !lost.isEmpty()) {
        lossReported_ = true;
        if (onError_)
            onError_(lost);
        return;
    }
    buffer_.assign(size_t(frames) * size_t(channels_), 0);
    inRound_ = true;
    const size_t got = std::min(callback_(buffer_.data(), buffer_.size()), buffer_.size());
    // Only what the player supplied is recorded; the silence an underrun
    // leaves is not part of what was played.
    const size_t whole = got - got % size_t(channels_);
    if (whole > 0)
        backend_->recordOutput(buffer_.data(), whole, channels_);
    played_ += qint64(whole) / channels_;
    inRound_ = false;
}

} // namespace quillotap
