#pragma once

#include "BarDynamics.h"
#include "SpectrumAnalyzer.h"
#include "VisualFrame.h"
#include "VisualizationProperties.h"
#include "audio/SampleBlock.h"

namespace quillotap::view {

// Turns sample blocks into a VisualFrame for the current display properties:
// waveforms, stereo pairs, peak levels or spectrum bands, with bar motion.
class BlockAnalyzer {
public:
    void setFormat(int sampleRate, int channels);
    int sampleRate() const { return sampleRate_; }
    int channels() const { return channels_; }

    // Analyses a new block; an empty block clears the frame.
    void feed(const SampleBlock& block, const VisualizationProperties& props);
    // Analyses the last block again after a property change, bars starting
    // afresh at the new values.
    void refresh(const VisualizationProperties& props);
    void clear();

    const VisualFrame& frame() const { return frame_; }
    int spectrumPlanCount() const { return spectrum_.planCount(); }

private:
    void analyse(const VisualizationProperties& props, double elapsedMs);
    std::vector<std::vector<float>> lanesOf(bool split) const;

    int sampleRate_ = 44100;
    int channels_ = 2;
    SampleBlock tail_;             // end of the last block, enough for every display
    std::vector<float> lastPeaks_; // whole-block peak per channel of the last block
    SpectrumAnalyzer spectrum_;
    BarDynamics dynamics_;
    VisualFrame frame_;
};

} // namespace quillotap::view
