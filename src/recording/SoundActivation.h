// Tells, block by block, when the input rises above a level and when it has
// stayed below it long enough: the trigger of sound-activated recording.
#pragma once

#include "audio/SampleBlock.h"

#include <QtGlobal>

namespace quillotap {

class SoundActivation {
public:
    enum class Event {
        None,
        Sound,   // the block holds a sample at or above the threshold after silence
        Silence, // the input has been below the threshold for the silence time
    };

    // `thresholdPercent` (1..100) of full scale; `silenceSeconds` below it
    // end a sound. Starts waiting for sound.
    SoundActivation(int sampleRate, int channels, int thresholdPercent, int silenceSeconds);

    // Looks at the next block of the input. Sound is reported once for the
    // block where the input rises above the threshold; Silence once for the
    // block at whose end the input has stayed below it for the silence time
    // since the last loud sample, after which it waits for sound again.
    Event feed(const SampleBlock& block);

    bool sounding() const { return sounding_; }
    // The sample magnitude a sample must reach to count as sound.
    int thresholdMagnitude() const { return threshold_; }

private:
    int channels_;
    int threshold_;
    qint64 silenceFrames_;
    qint64 quietFrames_ = 0; // frames since the last loud sample
    bool sounding_ = false;
};

} // namespace quillotap
