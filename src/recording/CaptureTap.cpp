#include "recording/CaptureTap.h"

#include "audio/AudioRecord.h"

namespace quillotap {

void CaptureTap::followRun() {
    const int run = recorder_.GetRunNumber();
    if (run == run_)
        return;
    run_ = run;
    framesTaken_ = 0;
    cutPending_ = false;
    preRoll_.clear();
}

SampleBlock CaptureTap::take() {
    followRun();
    SampleBlock block = recorder_.GetRecordedBuffer();
    const int channels = recorder_.GetChannels();
    if (channels > 0)
        framesTaken_ += qint64(block.size()) / channels;
    return block;
}

void CaptureTap::keep(const SampleBlock& block, int seconds) {
    followRun();
    if (cutPending_)
        return; // captured after the cut: never part of the pre-roll
    const int rate = recorder_.GetSampleRate();
    const int channels = recorder_.GetChannels();
    if (preRoll_.sampleRate() != rate || preRoll_.channels() != channels ||
        preRoll_.seconds() != seconds)
        preRoll_ = PreRollBuffer(rate, channels, seconds);
    preRoll_.append(block);
}

void CaptureTap::drain(bool keepBlocks, int seconds) {
    recorder_.CutBlock();
    for (SampleBlock block = take(); !block.empty(); block = take())
        if (keepBlocks)
            keep(block, seconds);
}

void CaptureTap::cut(int seconds) {
    followRun();
    if (!recorder_.IsRunning())
        return;
    drain(true, seconds);
    cutPending_ = true; // after the drain, which still keeps
}

bool CaptureTap::dropSinceCut() {
    followRun();
    if (!cutPending_)
        return false;
    drain(false, 0);
    cutPending_ = false;
    return true;
}

SampleBlock CaptureTap::takePreRoll(int seconds, qint64* baseFrame) {
    if (!dropSinceCut())
        drain(true, seconds);
    *baseFrame = framesTaken_ - preRoll_.heldFrames();
    return preRoll_.take();
}

SampleBlock CaptureTap::takePreRollBefore(const SampleBlock& trigger, qint64* baseFrame) {
    const int channels = recorder_.GetChannels();
    const qint64 triggerFrames = channels > 0 ? qint64(trigger.size()) / channels : 0;
    *baseFrame = framesTaken_ - triggerFrames - preRoll_.heldFrames();
    return preRoll_.take();
}

} // namespace quillotap
