#include "recording/RecordingStartOptions.h"

#include "settings/Settings.h"

#include <QString>

namespace quillotap {

namespace {

int StoredInRange(const char* name, int lowest, int highest, int fallback) {
    bool ok = false;
    const int value = ReadSetting(QString::fromLatin1(name)).trimmed().toInt(&ok);
    return ok && value >= lowest && value <= highest ? value : fallback;
}

} // namespace

RecordingStartOptions LoadRecordingStartOptions() {
    const RecordingStartOptions defaults;
    RecordingStartOptions options;
    options.preRollSeconds =
        StoredInRange("PreRollSeconds", 0, PreRollSecondsHighest, defaults.preRollSeconds);
    options.startOnSound = ReadSetting(QStringLiteral("StartOnSound")) == QLatin1String("Yes");
    options.silenceSeconds = StoredInRange("SilenceSeconds", SilenceSecondsLowest,
                                           SilenceSecondsHighest, defaults.silenceSeconds);
    options.thresholdPercent = StoredInRange("SoundThreshold", ThresholdPercentLowest,
                                             ThresholdPercentHighest, defaults.thresholdPercent);
    return options;
}

void SaveRecordingStartOptions(const RecordingStartOptions& options) {
    WriteSetting(QStringLiteral("PreRollSeconds"), QString::number(options.preRollSeconds));
    WriteSetting(QStringLiteral("StartOnSound"),
                 options.startOnSound ? QStringLiteral("Yes") : QStringLiteral("No"));
    WriteSetting(QStringLiteral("SilenceSeconds"), QString::number(options.silenceSeconds));
    WriteSetting(QStringLiteral("SoundThreshold"), QString::number(options.thresholdPercent));
}

} // namespace quillotap
