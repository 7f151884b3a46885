#include "recording/RecorderPage.h"

#include "audio/AudioRecord.h"
#include "recording/InputSelection.h"
#include "recording/RecordingMonitor.h"
#include "recording/RecordingSession.h"
#include "recording/SleepInhibitor.h"
#include "settings/OptionBoxes.h"

#include <QAbstractButton>
#include <QComboBox>

namespace quillotap {

RecorderPage::RecorderPage(const RecorderPageControls& controls, RecordingView& view,
                           RecordingSession& session, InputSelection& input,
                           const OptionBoxes& limits, FormatOptions& formats, QWidget* dialogParent,
                           std::function<void()> suspendHotkeys,
                           std::function<void()> resumeHotkeys, QObject* parent)
    : QObject(parent), session_(session),
      monitor_(std::make_unique<RecordingMonitor>(view, session)),
      startOptions_(new StartOptionBoxes(controls.startOptions, this)),
      formatLine_(new FormatLine(controls.formatList, controls.formatDescription,
                                 controls.setButton, formats, session.writer(), dialogParent,
                                 {[&session] { return session.isRecording(); },
                                  std::move(suspendHotkeys), std::move(resumeHotkeys),
                                  // The pre-roll is captured in the output format.
                                  [&session] { session.updateStandby(); }},
                                 this)) {
    // The monitor takes the recorder's ticks and volume changes.
    monitor_->setVolumeKnobHeld([&input] { return input.isVolumeDragging(); });
    connect(&limits, &OptionBoxes::limitsChanged, monitor_.get(), &RecordingMonitor::setLimits);
    // The preview switched off: the input stays open only for the pre-roll.
    input.setStopRecording([&session] {
        session.stopCapture();
        session.updateStandby();
    });
    connect(startOptions_, &StartOptionBoxes::changed, &session, [this] {
        session_.setStartOptions(startOptions_->options());
        session_.updateStandby();
    });
    // After the input selection has switched the device.
    connect(controls.deviceList, &QComboBox::currentIndexChanged, &session,
            [&session] { session.updateStandby(true); });
    connect(&session.recorder(), &AudioRecord::Timer, startOptions_,
            [this](qint64, int left, int right) { startOptions_->ShowInputLevel(left, right); });
    // The machine must not suspend in the middle of a recording.
    auto* inhibitor = new SleepInhibitor(this);
    connect(&session, &RecordingSession::recordingStarted, inhibitor,
            [inhibitor] { inhibitor->inhibit(tr("Recording in progress")); });
    connect(&session, &RecordingSession::recordingStopped, inhibitor, &SleepInhibitor::release);
    connect(controls.record, &QAbstractButton::clicked, &session, &RecordingSession::start);
    connect(controls.stop, &QAbstractButton::clicked, &session, &RecordingSession::stop);
}

RecorderPage::~RecorderPage() = default;

void RecorderPage::loadStartOptions() {
    startOptions_->Load();
    session_.setStartOptions(startOptions_->options());
}

} // namespace quillotap
