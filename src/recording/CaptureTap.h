// The recording session's side of the recorder's block queue: which capture
// run the blocks come from, how many frames of it have been taken, and the
// pre-roll kept from the blocks taken between recordings.
#pragma once

#include "audio/SampleBlock.h"
#include "recording/PreRollBuffer.h"

#include <QtGlobal>

namespace quillotap {

class AudioRecord;

// UI thread only, like the recorder's events.
class CaptureTap {
public:
    explicit CaptureTap(AudioRecord& recorder) : recorder_(recorder) {}

    // The recorder's next block (empty when none waits). Blocks of a new
    // capture run start the count and the pre-roll afresh.
    SampleBlock take();
    // Frames of the current run taken so far.
    qint64 framesTaken() const { return framesTaken_; }

    // Keeps the newest `seconds` of the blocks passed here, in the format of
    // the running capture; 0 keeps nothing, nor does a block taken after a
    // cut.
    void keep(const SampleBlock& block, int seconds);
    void clearPreRoll() { preRoll_.clear(); }

    // The moment a recording was asked for, before anything else happens
    // (a cue sound): everything captured until now goes to the pre-roll,
    // and what is captured from here until the recording begins is not
    // recorded. Nothing while the recorder is not running.
    void cut(int seconds);
    // Drops what was captured since a cut and ends the cut; false when no
    // cut was pending.
    bool dropSinceCut();

    // The pre-roll for a file that continues the running capture with its
    // next block: takes every block captured so far (those after a cut are
    // dropped), and returns the pre-roll. *baseFrame receives the frame of
    // the run where the file's first sample would lie if the file had no
    // gap, so that the file's length follows from the run's frame count.
    SampleBlock takePreRoll(int seconds, qint64* baseFrame);
    // The same for a file that starts with `trigger`, a block already taken.
    SampleBlock takePreRollBefore(const SampleBlock& trigger, qint64* baseFrame);

    qint64 preRollStorageBytes() const { return preRoll_.storageBytes(); }
    qint64 preRollFrames() const { return preRoll_.heldFrames(); }

private:
    void followRun();
    void drain(bool keepBlocks, int seconds);

    AudioRecord& recorder_;
    PreRollBuffer preRoll_;
    int run_ = -1;
    qint64 framesTaken_ = 0;
    bool cutPending_ = false;
};

} // namespace quillotap
