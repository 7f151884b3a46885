// The seconds of input kept in memory before a recording starts, so that a
// recording can begin with what was said just before it was asked for.
#pragma once

#include "audio/SampleBlock.h"

#include <QtGlobal>
#include <vector>

namespace quillotap {

// A ring of interleaved samples that holds at most `seconds` of one capture
// format. Its storage is allocated once, at that size, and never grows:
// older samples are overwritten by newer ones. Not thread-safe; used on the
// UI thread only.
class PreRollBuffer {
public:
    PreRollBuffer() = default;
    PreRollBuffer(int sampleRate, int channels, int seconds);

    int sampleRate() const { return sampleRate_; }
    int channels() const { return channels_; }
    int seconds() const { return seconds_; }

    // Appends a block, keeping only the newest `seconds` of everything
    // appended. Blocks are whole frames.
    void append(const SampleBlock& block);
    // Everything held, oldest first; the buffer is empty afterwards.
    SampleBlock take();
    void clear();

    qint64 heldFrames() const { return channels_ > 0 ? qint64(held_) / channels_ : 0; }
    // Bytes of sample storage the buffer owns: seconds × rate × channels × 2.
    qint64 storageBytes() const { return qint64(ring_.capacity()) * qint64(sizeof(int16_t)); }

private:
    int sampleRate_ = 0;
    int channels_ = 0;
    int seconds_ = 0;
    std::vector<int16_t> ring_;
    std::size_t start_ = 0; // oldest held element
    std::size_t held_ = 0;
};

} // namespace quillotap
