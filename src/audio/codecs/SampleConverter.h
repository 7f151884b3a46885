#pragma once

#include "audio/SampleBlock.h"

#include <QtGlobal>

struct SwrContext;

namespace quillotap {

// Converts interleaved 16-bit samples between sample rates and between mono
// and stereo with libswresample. Mono becomes the same signal on both
// channels; stereo becomes the average of both.
class SampleConverter {
public:
    SampleConverter() = default;
    ~SampleConverter();
    SampleConverter(const SampleConverter&) = delete;
    SampleConverter& operator=(const SampleConverter&) = delete;

    // False when libswresample refuses the formats (the converter then
    // passes nothing through).
    bool configure(int inRate, int inChannels, int outRate, int outChannels);
    bool isIdentity() const { return !swr_; }
    int inRate() const { return inRate_; }
    int inChannels() const { return inChannels_; }
    int outChannels() const { return outChannels_; }

    // Converts whole input frames; the result may lag behind by a few
    // samples that the resampler keeps for its filter.
    SampleBlock convert(const int16_t* in, qint64 frames);
    // The samples still held by the resampler, at the end of the stream.
    SampleBlock drain();

private:
    void reset();
    SwrContext* swr_ = nullptr;
    int inRate_ = 0;
    int outRate_ = 0;
    int inChannels_ = 0;
    int outChannels_ = 0;
};

} // namespace quillotap
