// How recordings begin: the seconds kept from before the start, and
// sound-activated recording (armed by Record, a file per burst of sound).
#pragma once

#include "settings/SettingsSchema.h"

namespace quillotap {

inline constexpr int PreRollSecondsHighest = option::PreRollSeconds.highest;
inline constexpr int SilenceSecondsLowest = option::SilenceSeconds.lowest;
inline constexpr int SilenceSecondsHighest = option::SilenceSeconds.highest;
inline constexpr int ThresholdPercentLowest = option::SoundThreshold.lowest;
inline constexpr int ThresholdPercentHighest = option::SoundThreshold.highest;

struct RecordingStartOptions {
    // 0 (off) to 30: seconds of input kept in memory and put at the start
    // of every recording. While above 0 the input stays open.
    int preRollSeconds = option::PreRollSeconds.fallback;
    // Record arms instead of recording: a file starts when the input rises
    // above the threshold and ends after `silenceSeconds` below it.
    bool startOnSound = option::StartOnSound.fallback;
    int silenceSeconds = option::SilenceSeconds.fallback;   // 1..60
    int thresholdPercent = option::SoundThreshold.fallback; // 1..100 of full scale
};

// The stored options; a value that is missing, no number or out of its
// range gives that value's default.
RecordingStartOptions LoadRecordingStartOptions();
// Writes the pre-roll seconds, sound activation, the silence seconds and
// the threshold, in that order.
void SaveRecordingStartOptions(const RecordingStartOptions& options);

} // namespace quillotap
