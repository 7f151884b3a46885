#include "recording/SoundActivation.h"

#include <algorithm>
#include <cstdlib>

namespace quillotap {

SoundActivation::SoundActivation(int sampleRate, int channels, int thresholdPercent,
                                 int silenceSeconds)
    : channels_(std::max(channels, 1)),
      threshold_(std::max(1, 32767 * std::clamp(thresholdPercent, 1, 100) / 100)),
      silenceFrames_(qint64(std::max(sampleRate, 1)) * std::max(silenceSeconds, 1)) {}

SoundActivation::Event SoundActivation::feed(const SampleBlock& block) {
    const std::size_t frames = block.size() / std::size_t(channels_);
    // Index of the last frame holding a loud sample, if any.
    qint64 lastLoud = -1;
    for (std::size_t i = block.size(); i-- > 0;) {
        if (std::abs(int(block[i])) >= threshold_) {
            lastLoud = qint64(i) / channels_;
            break;
        }
    }
    if (!sounding_) {
        if (lastLoud < 0)
            return Event::None;
        sounding_ = true;
        quietFrames_ = qint64(frames) - 1 - lastLoud;
        return Event::Sound;
    }
    quietFrames_ = lastLoud < 0 ? quietFrames_ + qint64(frames) : qint64(frames) - 1 - lastLoud;
    if (quietFrames_ < silenceFrames_)
        return Event::None;
    sounding_ = false;
    quietFrames_ = 0;
    return Event::Silence;
}

} // namespace quillotap
