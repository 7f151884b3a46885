#pragma once

#include "audio/codecs/AudioEncoder.h"
#include "audio/codecs/OutputFile.h"

#include <memory>

namespace quillotap {

// OGG Vorbis parameters. quality >= 0 (hundredths, 0..1000) selects quality
// mode; otherwise bitrate mode: minBitrate = maxBitrate = 0 is constant
// bitrate, else managed VBR between the limits. Bitrates in kbit/s.
struct VorbisSettings {
    int sampleRate = 44100;
    int channels = 2;
    int bitrate = 128;
    int minBitrate = 0;
    int maxBitrate = 0;
    int quality = -1;
};

// OGG Vorbis through libvorbisenc and libogg. Pages are flushed after every
// block, so an unfinished file is playable up to its last block.
std::unique_ptr<AudioEncoder> createVorbisEncoder(std::unique_ptr<OutputFile> file,
                                                  const VorbisSettings& settings, QString* error);

// Whether libvorbisenc accepts this bitrate-mode combination.
bool vorbisAcceptsBitrates(int sampleRate, int channels, int bitrate, int minBitrate,
                           int maxBitrate);

// "OGG 44,100 Hz; Stereo; 128 Kbps" and the like.
QString describeVorbis(const VorbisSettings& settings);

} // namespace quillotap
