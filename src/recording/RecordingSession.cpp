#include "recording/RecordingSession.h"

#include "audio/AudioFile.h"
#include "audio/AudioInformation.h"
#include "audio/AudioRecord.h"
#include "formats/Mp3Settings.h"
#include "recording/FormatElapsed.h"
#include "recording/InputSelection.h"
#include "recording/OutputFileName.h"
#include "recording/RecordingTag.h"
#include "recording/RecordingTexts.h"
#include "recording/RecordingView.h"
#include "settings/OutputFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace quillotap {

namespace {
constexpr int BlockMilliseconds = 1000; // one block per second
} // namespace

RecordingSession::RecordingSession(RecordingView& view, const ID3Defaults& id3, Clock clock,
                                   std::shared_ptr<SoundBackend> backend, QObject* parent)
    : QObject(parent), recorder_(backend ? std::make_unique<AudioRecord>(std::move(backend))
                                         : std::make_unique<AudioRecord>()),
      writer_(std::make_unique<AudioFile>()), tagger_(std::make_unique<AudioInformation>()),
      view_(view), id3_(id3), clock_(std::move(clock)), tap_(*recorder_) {
    writer_->SetFlag(true);
    if (!clock_)
        clock_ = [] { return QDateTime::currentDateTime(); };
    connect(recorder_.get(), &AudioRecord::EndArrayRecord, this,
            &RecordingSession::onBlockCaptured);
    connect(recorder_.get(), &AudioRecord::CaptureError, this, &RecordingSession::onCaptureError);
}

RecordingSession::~RecordingSession() = default;

bool RecordingSession::isRecording() const {
    return recording_;
}

bool RecordingSession::isArmed() const {
    return armed_;
}

void RecordingSession::setOutputFolder(const QString& folder) {
    outputFolder_ = folder;
}

void RecordingSession::followRename(const QString& oldPath, const QString& newPath) {
    if (outputFilePath_.isEmpty() || outputFilePath_ != oldPath)
        return;
    outputFilePath_ = newPath;
    outputFileName_ = QFileInfo(newPath).fileName();
}

void RecordingSession::setStartOptions(const RecordingStartOptions& options) {
    startOptions_ = options;
}

qint64 RecordingSession::fileFrames(qint64 captureFrames) const {
    return std::max<qint64>(0, captureFrames - fileBase_);
}

void RecordingSession::nameFile() {
    // A recording never replaces a file: within the same second the next
    // name gets a counter.
    outputFileName_ = UniqueOutputFileName(outputFolder_, view_.selectedFormatText(), clock_());
    outputFilePath_ = outputFolder_ + outputFileName_;
}

bool RecordingSession::standbyRunning() const {
    const AudioRecord& recorder = *recorder_;
    return startOptions_.preRollSeconds > 0 && recorder.IsRunning() && recorder.GetStatus() >= 0;
}

void RecordingSession::start() {
    if (recording_ || armed_)
        return;
    view_.setControlsEnabled(LockedWhileRecording, false);
    if (startOptions_.startOnSound) {
        arm();
        return;
    }
    nameFile();
    if (standbyRunning()) {
        // The capture goes on into the file: no gap after the pre-roll.
        if (!startOnRunningCapture(nullptr))
            undoRecord(lastError_);
        return;
    }
    stopCapture(); // ends the preview; no file is open yet
    if (!startFile())
        undoRecord(lastError_);
}

bool RecordingSession::openFile(int captureRate, int captureChannels) {
    AudioFile& file = *writer_;
    lastError_.clear();
    writeFailed_ = false;
    failurePending_ = false;

    QString reason;
    if (!CreateOutputFolder(outputFolder_, &reason)) {
        lastError_ =
            QCoreApplication::translate("quillotap::RecordingSession",
                                        "The recording could not start because the folder \"%1\" "
                                        "could not be created.\n\n%2")
                .arg(outputFolder_, reason);
        return false;
    }
    file.CreateForWriting(outputFilePath_, 0);
    if (file.GetStatus() < 0) {
        lastError_ =
            QCoreApplication::translate("quillotap::RecordingSession",
                                        "The recording could not start because the file \"%1\" "
                                        "could not be created.\n\n%2")
                .arg(outputFilePath_, file.GetErrorText());
        return false;
    }
    // A capture already running may differ from the file's format; the
    // file converts it.
    if (captureRate > 0 && captureChannels > 0)
        file.SetInputFormat(captureRate, captureChannels);
    return true;
}

bool RecordingSession::startFile() {
    if (!openFile(0, 0))
        return false;
    AudioFile& file = *writer_;
    AudioRecord& recorder = *recorder_;
    const int rate = file.GetSampleRate();
    const int channels = file.GetChannels();
    recorder.SetFormat(rate, channels);
    recorder.SetBufferSize(recorder.GetBufferSize(BlockMilliseconds));
    if (view_.isPreviewChecked())
        view_.setDisplayFormat(rate, channels);
    recorder.Start();
    if (recorder.GetStatus() < 0) {
        // Nothing was captured: leave no empty file behind.
        file.CloseWriter();
        QFile::remove(outputFilePath_);
        lastError_ = QCoreApplication::translate(
                         "quillotap::RecordingSession",
                         "The recording could not start because the input could not be "
                         "opened.\n\n%1")
                         .arg(recorder.GetErrorText());
        return false;
    }
    fileBase_ = 0;
    beginRecording();
    return true;
}

bool RecordingSession::startOnRunningCapture(const SampleBlock* trigger) {
    AudioRecord& recorder = *recorder_;
    const int seconds = startOptions_.preRollSeconds;
    const SampleBlock preRoll = trigger ? tap_.takePreRollBefore(*trigger, &fileBase_)
                                        : tap_.takePreRoll(seconds, &fileBase_);
    if (!openFile(recorder.GetSampleRate(), recorder.GetChannels()))
        return false;
    beginRecording();
    writeBlock(preRoll);
    if (trigger)
        writeBlock(*trigger);
    return true;
}

void RecordingSession::beginRecording() {
    view_.setPlayNowEnabled(false);
    recording_ = true;
    view_.setStatusText(QCoreApplication::translate("quillotap::RecordingTexts", StatusRecording));
    view_.setSaveFileText(outputFilePath_);
    // The figures of the last recording must not stand until the first tick.
    view_.setTimeText(FormatElapsed(0));
    view_.setSizeText(RunningSizeText(0));
    emit recordingStarted();
}

void RecordingSession::undoRecord(const QString& message) {
    armed_ = false;
    activation_.reset();
    view_.setControlsEnabled(LockedWhileRecording, true);
    view_.runPreviewClick(); // the preview comes back if it is ticked
    updateStandby();
    view_.showError(message);
}

bool RecordingSession::startIdleCapture() {
    AudioRecord& recorder = *recorder_;
    const CaptureFormat format = IdleCaptureFormat(*writer_);
    recorder.SetFormat(format.sampleRate, format.channels);
    recorder.SetBufferSize(recorder.GetBufferSize(BlockMilliseconds));
    if (view_.isPreviewChecked())
        view_.setDisplayFormat(format.sampleRate, format.channels);
    recorder.Start();
    return recorder.GetStatus() >= 0;
}

void RecordingSession::arm() {
    AudioRecord& recorder = *recorder_;
    lastError_.clear();
    if (recorder.IsRunning() && recorder.GetStatus() >= 0) {
        // The input captured while the cue played must neither start a file
        // nor end up in one.
        if (tap_.dropSinceCut())
            tap_.clearPreRoll();
    } else if (!startIdleCapture()) {
        lastError_ = tr("The recording could not start because the input could not be "
                        "opened.\n\n%1")
                         .arg(recorder.GetErrorText());
        undoRecord(lastError_);
        return;
    }
    const RecordingStartOptions& options = startOptions_;
    activation_.emplace(recorder.GetSampleRate(), recorder.GetChannels(), options.thresholdPercent,
                        options.silenceSeconds);
    armed_ = true;
    view_.setStatusText(tr("Waiting for sound"));
}

void RecordingSession::cutPreRoll() {
    if (recording_ || armed_)
        return;
    tap_.cut(startOptions_.preRollSeconds);
}

void RecordingSession::updateStandby(bool reopen) {
    if (recording_ || armed_)
        return;
    AudioRecord& recorder = *recorder_;
    if (startOptions_.preRollSeconds <= 0) {
        if (recorder.IsRunning() && !view_.isPreviewChecked())
            stopCapture();
        return;
    }
    const CaptureFormat format = IdleCaptureFormat(*writer_);
    const bool inFormat =
        recorder.GetSampleRate() == format.sampleRate && recorder.GetChannels() == format.channels;
    if (recorder.IsRunning() && inFormat && !reopen)
        return;
    startIdleCapture(); // a failure shows as "Preview stopped" when it is lost
}

void RecordingSession::onBlockCaptured(int /*block*/) {
    const SampleBlock block = tap_.take();
    if (!recording_) {
        takeIdleBlock(block);
        return;
    }
    writeBlock(block);
    if (writeFailed_) {
        stop(); // keeps what the file holds and tells the user
        return;
    }
    // A burst is over after its silence: its file is finished and the
    // next one waits.
    if (activation_ && activation_->feed(block) == SoundActivation::Event::Silence)
        finishBurst();
}

void RecordingSession::takeIdleBlock(const SampleBlock& block) {
    if (block.empty())
        return;
    if (activation_ && activation_->feed(block) == SoundActivation::Event::Sound) {
        nameFile();
        if (!startOnRunningCapture(&block)) {
            const QString message = lastError_;
            view_.setControlsEnabled(LockedWhileRecording, true);
            stopCapture();
            view_.runPreviewClick();
            updateStandby();
            view_.showError(message);
        }
        return;
    }
    // Between recordings the preview's blocks are dropped; the pre-roll
    // keeps the newest seconds of them.
    tap_.keep(block, startOptions_.preRollSeconds);
}

void RecordingSession::onCaptureError(const QString& reason) {
    if (!recording_ && !armed_) {
        stopCapture();
        view_.setDisplaySamples({}); // the input is gone: nothing left to show
        view_.setStatusText(PreviewStoppedStatus(reason));
        return;
    }
    const bool wasWriting = recording_;
    const QString path = outputFilePath_;
    stop(); // writes what was captured before the loss, closes and tags the file
    QString text =
        QCoreApplication::translate("quillotap::RecordingSession",
                                    "The recording was stopped because its input was lost.\n\n%1")
            .arg(reason);
    if (wasWriting && QFileInfo::exists(path))
        text += QCoreApplication::translate("quillotap::RecordingSession",
                                            "\n\nEverything recorded until then is kept in \"%1\".")
                    .arg(path);
    lastError_ = text;
    view_.setStatusText(RecordingStoppedStatus(reason));
    view_.showStopReason(text);
}

void RecordingSession::writeBlock(const SampleBlock& block) {
    if (block.empty() || writeFailed_)
        return;
    AudioFile& file = *writer_;
    if (file.WriteSamples(block))
        return;
    writeFailed_ = true;
    failurePending_ = true;
    lastError_ = file.GetWriteError();
}

void RecordingSession::closeFile() {
    writer_->CloseWriter(); // a file being played stays open
    if (TakesDefaultTag(outputFilePath_)) {
        SetDefaultTag(*tagger_, id3_);
        tagger_->WriteTags(outputFilePath_);
    }
    showFinalSize();
}

void RecordingSession::finishBurst() {
    closeFile();
    view_.setPlayNowEnabled(true);
    recording_ = false;
    view_.setStatusText(tr("Waiting for sound"));
    emit recordingStopped();
}

void RecordingSession::stopCapture() {
    AudioRecord& recorder = *recorder_;
    recorder.Stop();
    SampleBlock last = tap_.take();
    const bool wasRecording = recording_;
    armed_ = false;
    activation_.reset();
    if (wasRecording) {
        // The recorder hands out every block once: whatever it still holds
        // after the stop has not been written yet.
        while (!last.empty()) {
            writeBlock(last);
            last = tap_.take();
        }
        closeFile();
    }
    view_.setDisplaySamples(last); // empty after a drain: clears the pane
    if (wasRecording)
        view_.setPlayNowEnabled(true);
    recording_ = false;
    view_.setStatusText(QCoreApplication::translate("quillotap::RecordingTexts", StatusReady));
    if (wasRecording)
        emit recordingStopped();
    if (failurePending_)
        reportWriteFailure();
}

void RecordingSession::showFinalSize() {
    const QFileInfo info(outputFilePath_);
    if (info.exists())
        view_.setSizeText(FinalSizeText(info.size()));
}

void RecordingSession::reportWriteFailure() {
    failurePending_ = false;
    QString text = QCoreApplication::translate(
                       "quillotap::RecordingSession",
                       "The recording was stopped because the file could not be written.\n\n%1")
                       .arg(lastError_);
    if (QFileInfo::exists(outputFilePath_))
        text += QCoreApplication::translate("quillotap::RecordingSession",
                                            "\n\nEverything recorded until then is kept in \"%1\".")
                    .arg(outputFilePath_);
    else
        text += QCoreApplication::translate("quillotap::RecordingSession",
                                            "\n\nThe file \"%1\" no longer exists.")
                    .arg(outputFilePath_);
    lastError_ = text;
    view_.showError(text);
}

void RecordingSession::stop() {
    if (!recording_ && !armed_)
        return;
    view_.setControlsEnabled(LockedWhileRecording, true);
    stopCapture();
    view_.runPreviewClick(); // ticked: the preview restarts; cleared: stays stopped
    updateStandby();         // pre-roll on: the input is captured again
    view_.showReadyInIconMode();
}

} // namespace quillotap
