#pragma once

#include "audio/codecs/AudioEncoder.h"
#include "audio/codecs/OutputFile.h"

#include <memory>

namespace quillotap {

// Ogg Opus parameters: a target bitrate in kbit/s (6..256) and whether the
// encoder tunes itself for speech or for music.
struct OpusSettings {
    int bitrate = 96;
    bool voice = false;
};

inline constexpr int kOpusMinBitrate = 6;
inline constexpr int kOpusMaxBitrate = 256;
// Opus always codes at 48 kHz; recordings are stereo.
inline constexpr int kOpusSampleRate = 48000;
inline constexpr int kOpusChannels = 2;

// Ogg Opus through libopusenc. Pages reach the file at least every half
// second, so an unfinished file decodes up to shortly before its end.
std::unique_ptr<AudioEncoder> createOpusEncoder(std::unique_ptr<OutputFile> file,
                                                const OpusSettings& settings, QString* error);

// "OPUS 48,000 Hz; Stereo; 96 Kbps; Music".
QString describeOpus(const OpusSettings& settings);

} // namespace quillotap
