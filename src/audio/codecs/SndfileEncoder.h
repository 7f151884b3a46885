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

struct FlacSettings {
    int compressionLevel = 5; // 0 (fastest) .. 8 (smallest)
    int bitsPerSample = 16;   // 16 or 24
};

// The fixed sample format of FLAC recordings.
inline constexpr int kFlacSampleRate = 44100;
inline constexpr int kFlacChannels = 2;

// WAV PCM through libsndfile. The header is rewritten after every block, so
// the file is valid at any moment while it grows.
std::unique_ptr<AudioEncoder> createWavEncoder(std::unique_ptr<OutputFile> file,
                                               const WavSettings& settings, QString* error);

// Headerless Dialogic VOX ADPCM, 8000 Hz mono, through libsndfile.
std::unique_ptr<AudioEncoder> createVoxEncoder(std::unique_ptr<OutputFile> file, QString* error);

// FLAC through libsndfile (libFLAC). Every finished frame goes to the file
// at once, so an unfinished file decodes up to its last frame; its header
// states the final length only once the file is closed.
std::unique_ptr<AudioEncoder> createFlacEncoder(std::unique_ptr<OutputFile> file,
                                                const FlacSettings& settings, QString* error);

// "FLAC 44,100 Hz; Stereo; 16 bit; Level 5".
QString describeFlac(const FlacSettings& settings);
// "WAV 44,100 Hz; Stereo; 16 bit".
QString describeWav(const WavSettings& settings);
// "VOX Dialogic ADPCM 8,000 Hz; Mono; 4 bit".
QString describeVox();

} // namespace quillotap
