#pragma once

#include "audio/SampleBlock.h"

#include <QtGlobal>

#include <QString>

struct SwrContext;

namespace quillotap {

struct FfmpegApi;

// Converts interleaved 16-bit samples between sample rates and between mono
// and stereo with libswresample. Mono becomes the same signal on both
// channels; stereo becomes the average of both.
class SampleConverter {
public:
    SampleConverter() = default;
    ~SampleConverter();
    SampleConverter(const SampleConverter&) = delete;
    SampleConverter& operator=(const SampleConverter&) = delete;

    // False when the formats are out of range, when libswresample refuses
    // them or when FFmpeg cannot be loaded (the converter then passes
    // nothing through, and errorText() says why). Equal formats need no
    // FFmpeg: samples then pass unchanged.
    bool configure(int inRate, int inChannels, int outRate, int outChannels);
    QString errorText() const { return error_; }
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
    bool refused();
    const FfmpegApi* ff_ = nullptr;
    SwrContext* swr_ = nullptr;
    QString error_;
    int inRate_ = 0;
    int outRate_ = 0;
    int inChannels_ = 0;
    int outChannels_ = 0;
};

} // namespace quillotap
