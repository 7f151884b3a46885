#pragma once

#include "audio/codecs/AudioEncoder.h"
#include "audio/codecs/OutputFile.h"

#include <memory>

namespace quillotap {

struct WavSettings {
    int sampleRate = 44100;
    int channels = 2;
    int bitsPerSample = 16; // 8 (unsigned) or 16
};

// WAV PCM through libsndfile. The header is rewritten after every block, so
// the file is valid at any moment while it grows.
std::unique_ptr<AudioEncoder> createWavEncoder(std::unique_ptr<OutputFile> file,
                                               const WavSettings& settings, QString* error);

// Headerless Dialogic VOX ADPCM, 8000 Hz mono, through libsndfile.
std::unique_ptr<AudioEncoder> createVoxEncoder(std::unique_ptr<OutputFile> file, QString* error);

// "WAV 44,100 Hz; Stereo; 16 bit".
QString describeWav(const WavSettings& settings);
// "VOX Dialogic ADPCM 8,000 Hz; Mono; 4 bit".
QString describeVox();

} // namespace quillotap
