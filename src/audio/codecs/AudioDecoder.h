#pragma once

#include <QtGlobal>

#include <cstdint>

namespace quillotap {

// One file being decoded to interleaved 16-bit samples of one or two channels.
class AudioDecoder {
public:
    virtual ~AudioDecoder() = default;

    virtual int sampleRate() const = 0;
    virtual int channels() const = 0;  // 1 or 2
    virtual qint64 length() const = 0; // frames; best estimate for streams
    // Decodes up to `frames` frames into `out` (room for frames * channels());
    // returns the frames decoded, 0 at the end of data or on a decode error.
    virtual qint64 read(int16_t* out, qint64 frames) = 0;
    // Moves to an absolute frame; returns the frame reached, -1 on failure.
    virtual qint64 seek(qint64 frame) = 0;
};

} // namespace quillotap
