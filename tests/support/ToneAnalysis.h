#pragma once

#include "audio/SampleBlock.h"

#include <QtGlobal>

namespace quillotap::test {

// Interleaved tone of the given frequency, amplitude 0..1, on every channel.
SampleBlock makeTone(double frequency, int sampleRate, int channels, qint64 frames,
                     double amplitude = 0.5);

// Frequency in Hz of the strongest spectral peak of the first channel
// (FFTW, Hann window, parabolic interpolation). 0 for silence or no data.
double dominantFrequency(const SampleBlock& interleaved, int sampleRate, int channels);

// Root-mean-square level of all samples, 0..1 of full scale.
double rmsLevel(const SampleBlock& samples);

} // namespace quillotap::test
