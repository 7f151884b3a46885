#pragma once

#include "audio/MP3Lame.h"
#include "audio/codecs/AudioEncoder.h"
#include "audio/codecs/OutputFile.h"

#include <memory>

namespace quillotap {

// MP3 through LAME with every MP3Lame setting. In the VBR methods Bitrate is
// the minimum and VbrBitrate the maximum bitrate, as in LAME's own command
// line (-b, -B, -F).
std::unique_ptr<AudioEncoder> createMp3Encoder(std::unique_ptr<OutputFile> file,
                                               const MP3Lame& settings, QString* error);

// The sample rate LAME writes for the requested one (MPEG rates 8000..48000).
int mp3SupportedSampleRate(int requested);

// "MP3 44,100 kHz; Joint Stereo; 128 Kbps; " and the like.
QString describeMp3(const MP3Lame& settings);

} // namespace quillotap
