#include "BlockAnalyzer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quillotap::view {

namespace {

constexpr int kScopeMs = 50;          // time shown by the oscilloscope
constexpr size_t kMaxPoints = 1024;   // waveform and stereo points kept per lane
constexpr double kMeterFloorDb = -60; // bottom of the level meter scale

// Every entry of `from`, or evenly spaced ones when there are too many.
template <typename T> std::vector<T> thinned(const std::vector<T>& from, size_t limit) {
    if (from.size() <= limit)
        return from;
    std::vector<T> out(limit);
    for (size_t i = 0; i < limit; ++i)
        out[i] = from[i * from.size() / limit];
    return out;
}

float meterLevel(float peak) {
    if (peak <= 0.0f)
        return 0.0f;
    const double db = 20.0 * std::log10(peak);
    return static_cast<float>(std::clamp((db - kMeterFloorDb) / -kMeterFloorDb, 0.0, 1.0));
}

} // namespace

void BlockAnalyzer::setFormat(int sampleRate, int channels) {
    if (sampleRate <= 0 || channels <= 0 || channels > 8)
        return;
    if (sampleRate != sampleRate_ || channels != channels_)
        clear();
    sampleRate_ = sampleRate;
    channels_ = channels;
}

void BlockAnalyzer::clear() {
    tail_.clear();
    lastPeaks_.clear();
    dynamics_.clear();
    frame_ = VisualFrame{};
}

void BlockAnalyzer::feed(const SampleBlock& block, const VisualizationProperties& props) {
    const qint64 frames = static_cast<qint64>(block.size()) / channels_;
    if (frames == 0) {
        clear();
        return;
    }
    // The whole block counts for the level meter; the other displays only
    // look at its end.
    lastPeaks_.assign(static_cast<size_t>(channels_), 0.0f);
    for (qint64 f = 0; f < frames; ++f) {
        for (int c = 0; c < channels_; ++c) {
            const int s = std::abs(static_cast<int>(block[f * channels_ + c]));
            lastPeaks_[c] = std::max(lastPeaks_[c], s / 32768.0f);
        }
    }
    const qint64 keepFrames = std::max<qint64>(SpectrumAnalyzer::kMaxSize,
                                               static_cast<qint64>(sampleRate_) * kScopeMs / 1000);
    const qint64 first = std::max<qint64>(0, frames - keepFrames) * channels_;
    tail_.assign(block.begin() + first, block.begin() + frames * channels_);

    analyse(props, 1000.0 * static_cast<double>(frames) / sampleRate_);
}

void BlockAnalyzer::refresh(const VisualizationProperties& props) {
    if (tail_.empty())
        return;
    dynamics_.clear();
    analyse(props, 0.0);
}

std::vector<std::vector<float>> BlockAnalyzer::lanesOf(bool split) const {
    const size_t frames = tail_.size() / static_cast<size_t>(channels_);
    const int lanes = split ? channels_ : 1;
    std::vector<std::vector<float>> out(static_cast<size_t>(lanes), std::vector<float>(frames));
    for (size_t f = 0; f < frames; ++f) {
        const int16_t* frame = tail_.data() + f * channels_;
        if (split) {
            for (int c = 0; c < channels_; ++c)
                out[c][f] = frame[c] / 32768.0f;
        } else {
            float sum = 0;
            for (int c = 0; c < channels_; ++c)
                sum += frame[c];
            out[0][f] = sum / channels_ / 32768.0f;
        }
    }
    return out;
}

void BlockAnalyzer::analyse(const VisualizationProperties& props, double elapsedMs) {
    const bool split = props.flag(SplitChannels) && channels_ > 1;
    const Mode mode = props.mode();
    const int barCount = props.number(BarCount);
    frame_ = VisualFrame{};
    frame_.lanes = split ? channels_ : 1;

    std::vector<float> targets;
    if (mode == Mode::Oscilloscope) {
        const size_t scopeFrames = static_cast<size_t>(sampleRate_) * kScopeMs / 1000;
        for (auto& lane : lanesOf(split)) {
            if (lane.size() > scopeFrames)
                lane.erase(lane.begin(), lane.end() - static_cast<std::ptrdiff_t>(scopeFrames));
            // Bar styles show the envelope: the largest magnitude per slice.
            for (int b = 0; b < barCount; ++b) {
                const size_t from = lane.size() * b / barCount;
                const size_t to = std::max(from + 1, lane.size() * (b + 1) / barCount);
                float peak = 0;
                for (size_t i = from; i < to && i < lane.size(); ++i)
                    peak = std::max(peak, std::abs(lane[i]));
                targets.push_back(peak);
            }
            frame_.waves.push_back(thinned(lane, kMaxPoints));
        }
        frame_.barsPerLane = barCount;
    } else if (mode == Mode::LevelMeter) {
        if (split) {
            for (float peak : lastPeaks_)
                targets.push_back(meterLevel(peak));
        } else {
            targets.push_back(meterLevel(*std::max_element(lastPeaks_.begin(), lastPeaks_.end())));
        }
        frame_.barsPerLane = 1;
    } else if (mode == Mode::StereoScope) {
        const size_t frames = tail_.size() / static_cast<size_t>(channels_);
        const size_t scopeFrames =
            std::min(frames, static_cast<size_t>(sampleRate_) * kScopeMs / 1000);
        std::vector<QPointF> points;
        for (size_t f = frames - scopeFrames; f < frames; ++f) {
            const int16_t* frame = tail_.data() + f * channels_;
            const double left = frame[0] / 32768.0;
            const double right = channels_ > 1 ? frame[1] / 32768.0 : left;
            points.emplace_back(left, right);
        }
        frame_.xy = thinned(points, kMaxPoints);
        frame_.lanes = 1;
    } else {
        for (const auto& lane : lanesOf(split)) {
            const auto bands = spectrum_.bands(lane, barCount, props.flag(LogFrequency));
            targets.insert(targets.end(), bands.begin(), bands.end());
        }
        frame_.barsPerLane = barCount;
    }

    BarDynamics::Motion motion;
    motion.smoothFall = props.flag(SmoothFall);
    motion.fallPer100Ms = props.number(FallSpeed) / 100.0;
    motion.peakHoldMs = props.number(PeakHoldMs);
    dynamics_.update(targets, elapsedMs, motion);
    frame_.levels = dynamics_.levels();
    frame_.peaks = dynamics_.peaks();
}

} // namespace quillotap::view
