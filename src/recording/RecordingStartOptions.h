// How recordings begin: the seconds kept from before the start, and
// sound-activated recording (armed by Record, a file per burst of sound).
#pragma once

namespace quillotap {

inline constexpr int PreRollSecondsHighest = 30;
inline constexpr int SilenceSecondsLowest = 1;
inline constexpr int SilenceSecondsHighest = 60;
inline constexpr int ThresholdPercentLowest = 1;
inline constexpr int ThresholdPercentHighest = 100;

struct RecordingStartOptions {
    // 0 (off) to 30: seconds of input kept in memory and put at the start
    // of every recording. While above 0 the input stays open.
    int preRollSeconds = 0;
    // Record arms instead of recording: a file starts when the input rises
    // above the threshold and ends after `silenceSeconds` below it.
    bool startOnSound = false;
    int silenceSeconds = 3;    // 1..60
    int thresholdPercent = 10; // 1..100 of full scale
};

// The stored options; a value that is missing, no number or out of its
// range gives that value's default.
RecordingStartOptions LoadRecordingStartOptions();
// Writes "PreRollSeconds", "StartOnSound", "SilenceSeconds" and
// "SoundThreshold", in that order.
void SaveRecordingStartOptions(const RecordingStartOptions& options);

} // namespace quillotap
