#include "recording/RecordingMonitor.h"

#include "audio/AudioRecord.h"
#include "recording/FormatElapsed.h"
#include "recording/RecordingSession.h"
#include "recording/RecordingTexts.h"
#include "recording/RecordingView.h"
#include "widgets/SliderMath.h"

#include <QFileInfo>

namespace quillotap {

int InputVolumeKnobPosition(int trackHeight, int volume) {
    return RoundHalfEven(double(trackHeight) * (65535.0 - volume) / 65535.0);
}

RecordingMonitor::RecordingMonitor(RecordingView& view, RecordingSession& session, QObject* parent)
    : QObject(parent), view_(view), session_(session) {
    AudioRecord* recorder = &session_.recorder();
    connect(recorder, &AudioRecord::Timer, this,
            [this](qint64 currentSamples, int, int) { onTick(currentSamples); });
    connect(recorder, &AudioRecord::GainChange, this, &RecordingMonitor::onGainChanged);
    connect(&session_, &RecordingSession::recordingStarted, this, [this] { elapsedSeconds_ = 0; });
}

LimitReached RecordingMonitor::onTick(qint64 currentSamples) {
    AudioRecord& recorder = session_.recorder();
    // 1024 frames in the format the recorder captures in: the audio file
    // reports no channels before its first file, and those of the file it
    // plays afterwards, while the preview keeps its own format.
    const SampleBlock latest = recorder.GetLastSamples(recorder.GetChannels() * 1024);
    if (view_.isPreviewChecked())
        view_.setDisplaySamples(latest);
    if (!session_.isRecording())
        return LimitReached::None;

    // The pre-roll counts as part of the file, also for the limits.
    const qint64 elapsed =
        recorder.SamplesToMilliseconds(session_.fileFrames(currentSamples)) / 1000;
    elapsedSeconds_ = elapsed;
    view_.setTimeText(FormatElapsed(double(elapsed)));

    // The length on disk, read afresh on every tick.
    std::optional<qint64> bytes;
    const QFileInfo file(session_.outputFilePath());
    if (file.exists()) {
        bytes = file.size();
        view_.setSizeText(RunningSizeText(*bytes));
    }

    const LimitReached limit = CheckLimits(limits_, elapsed, bytes);
    if (limit != LimitReached::None) {
        lastLimit_ = limit;
        session_.stop();
    }
    return limit;
}

void RecordingMonitor::onGainChanged(int newVolume) {
    if (knobHeld_ && knobHeld_())
        return;
    view_.placeInputVolumeKnob(InputVolumeKnobPosition(view_.inputVolumeTrackHeight(), newVolume));
}

} // namespace quillotap
