#include "recording/RecordingStartOptions.h"

namespace quillotap {

RecordingStartOptions LoadRecordingStartOptions() {
    RecordingStartOptions options;
    options.preRollSeconds = ReadOption(option::PreRollSeconds);
    options.startOnSound = ReadOption(option::StartOnSound);
    options.silenceSeconds = ReadOption(option::SilenceSeconds);
    options.thresholdPercent = ReadOption(option::SoundThreshold);
    return options;
}

void SaveRecordingStartOptions(const RecordingStartOptions& options) {
    WriteOption(option::PreRollSeconds, options.preRollSeconds);
    WriteOption(option::StartOnSound, options.startOnSound);
    WriteOption(option::SilenceSeconds, options.silenceSeconds);
    WriteOption(option::SoundThreshold, options.thresholdPercent);
}

} // namespace quillotap
