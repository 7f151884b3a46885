#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>

namespace quillotap {

// One file being encoded. Samples arrive interleaved, 16 bit, already in the
// encoder's own sample rate and channel count. Each encoder writes what it
// produces straight to its file, so an unfinished file is playable up to
// the last block written.
class AudioEncoder {
public:
    virtual ~AudioEncoder() = default;

    virtual int sampleRate() const = 0;
    virtual int channels() const = 0;
    // Encodes `frames` frames; false after a write error (see errorText()).
    virtual bool write(const int16_t* samples, qint64 frames) = 0;
    // Drains the encoder, finalises headers and closes the file. Safe to call
    // twice; false when something could not be written.
    virtual bool finish() = 0;
    // Why writing failed; "" while everything is fine.
    virtual QString errorText() const = 0;
};

} // namespace quillotap
