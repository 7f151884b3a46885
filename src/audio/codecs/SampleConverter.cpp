#include "audio/codecs/SampleConverter.h"

#include "audio/codecs/FfmpegLibrary.h"

#include <QCoreApplication>
#include <algorithm>

namespace quillotap {

SampleConverter::~SampleConverter() {
    reset();
}

void SampleConverter::reset() {
    if (swr_)
        ff_->swr_free(&swr_);
}

bool SampleConverter::refused() {
    error_ = QCoreApplication::translate(
                 "quillotap::SampleConverter",
                 "The resampler does not accept %1 Hz, %2 channel(s) to %3 Hz, %4 "
                 "channel(s).")
                 .arg(inRate_)
                 .arg(inChannels_)
                 .arg(outRate_)
                 .arg(outChannels_);
    return false;
}

bool SampleConverter::configure(int inRate, int inChannels, int outRate, int outChannels) {
    reset();
    error_.clear();
    inRate_ = inRate;
    outRate_ = outRate;
    inChannels_ = inChannels;
    outChannels_ = outChannels;
    if (inRate < 1 || outRate < 1 || inChannels < 1 || inChannels > 2 || outChannels < 1 ||
        outChannels > 2) {
        error_ = QCoreApplication::translate("quillotap::SampleConverter",
                                             "The sample format is not supported.");
        return false;
    }
    if (inRate == outRate && inChannels == outChannels)
        return true;
    ff_ = ffmpegApi(&error_);
    if (!ff_)
        return false;

    AVChannelLayout inLayout, outLayout;
    ff_->av_channel_layout_default(&inLayout, inChannels);
    ff_->av_channel_layout_default(&outLayout, outChannels);
    if (ff_->swr_alloc_set_opts2(&swr_, &outLayout, AV_SAMPLE_FMT_S16, outRate, &inLayout,
                                 AV_SAMPLE_FMT_S16, inRate, 0, nullptr) < 0) {
        swr_ = nullptr;
        return refused();
    }
    // Unity gain both ways instead of the -3 dB centre mix of the default
    // matrix: a mono recording sounds as loud on both channels.
    if (inChannels != outChannels) {
        const double toStereo[] = {1.0, 1.0};
        const double toMono[] = {0.5, 0.5};
        const bool ok = inChannels == 1 ? ff_->swr_set_matrix(swr_, toStereo, 1) >= 0
                                        : ff_->swr_set_matrix(swr_, toMono, 2) >= 0;
        if (!ok) {
            reset();
            return refused();
        }
    }
    if (ff_->swr_init(swr_) < 0) {
        reset();
        return refused();
    }
    return true;
}

SampleBlock SampleConverter::convert(const int16_t* in, qint64 frames) {
    if (!swr_) {
        if (inChannels_ < 1 || inRate_ < 1 || inChannels_ != outChannels_ || inRate_ != outRate_)
            return {};
        return SampleBlock(in, in + frames * inChannels_);
    }
    if (frames <= 0 || frames > (1 << 26))
        return {};
    const int capacity = ff_->swr_get_out_samples(swr_, int(frames));
    if (capacity <= 0)
        return {};
    SampleBlock out(size_t(capacity) * size_t(outChannels_));
    auto* outPtr = reinterpret_cast<uint8_t*>(out.data());
    const auto* inPtr = reinterpret_cast<const uint8_t*>(in);
    const int got = ff_->swr_convert(swr_, &outPtr, capacity, &inPtr, int(frames));
    out.resize(size_t(std::max(got, 0)) * size_t(outChannels_));
    return out;
}

SampleBlock SampleConverter::drain() {
    if (!swr_)
        return {};
    SampleBlock result;
    // Bounded: the resampler holds at most its filter length.
    for (int i = 0; i < 16; ++i) {
        const int capacity = std::max(ff_->swr_get_out_samples(swr_, 0), 0) + 256;
        SampleBlock out(size_t(capacity) * size_t(outChannels_));
        auto* outPtr = reinterpret_cast<uint8_t*>(out.data());
        const int got = ff_->swr_convert(swr_, &outPtr, capacity, nullptr, 0);
        if (got <= 0)
            break;
        result.insert(result.end(), out.begin(), out.begin() + ptrdiff_t(got) * outChannels_);
    }
    return result;
}

} // namespace quillotap
