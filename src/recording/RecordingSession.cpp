#include "recording/RecordingSession.h"

#include "app/MainState.h"
#include "formats/Mp3Settings.h"
#include "recording/FormatElapsed.h"
#include "recording/OutputFileName.h"
#include "recording/RecordingTag.h"
#include "recording/RecordingTexts.h"
#include "recording/RecordingView.h"
#include "settings/OutputFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace quillotap {

RecordingSession::RecordingSession(MainState& state, RecordingView& view, const ID3Defaults& id3,
                                   Clock clock, QObject* parent)
    : QObject(parent), state_(state), view_(view), id3_(id3), clock_(std::move(clock)) {
    if (!clock_)
        clock_ = [] { return QDateTime::currentDateTime(); };
    connect(state_.AudioRecord.get(), &AudioRecord::EndArrayRecord, this,
            &RecordingSession::AudioRecord_EndArrayRecord);
    connect(state_.AudioRecord.get(), &AudioRecord::CaptureError, this,
            &RecordingSession::AudioRecord_CaptureError);
}

bool RecordingSession::isRecording() const {
    return state_.RecordingActive;
}

void RecordingSession::Record() {
    if (state_.RecordingActive)
        return;
    view_.setControlsEnabled(LockedWhileRecording, false);
    // A recording never replaces a file: within the same second the next
    // name gets a counter.
    state_.OutputFileName =
        UniqueOutputFileName(state_.OutputFolder, view_.selectedFormatText(), clock_());
    state_.OutputFilePath = state_.OutputFolder + state_.OutputFileName;
    StopRecording(); // ends the preview; no file is open yet
    if (!StartRecording())
        undoRecord(lastError_);
}

bool RecordingSession::StartRecording() {
    AudioFile& file = *state_.AudioFile;
    AudioRecord& recorder = *state_.AudioRecord;
    lastError_.clear();
    writeFailed_ = false;
    failurePending_ = false;

    QString reason;
    if (!CreateOutputFolder(state_.OutputFolder, &reason)) {
        lastError_ =
            QCoreApplication::translate("quillotap::RecordingSession",
                                        "The recording could not start because the folder \"%1\" "
                                        "could not be created.\n\n%2")
                .arg(state_.OutputFolder, reason);
        return false;
    }
    file.CreateForWriting(state_.OutputFilePath, 0);
    if (file.GetStatus() < 0) {
        lastError_ =
            QCoreApplication::translate("quillotap::RecordingSession",
                                        "The recording could not start because the file \"%1\" "
                                        "could not be created.\n\n%2")
                .arg(state_.OutputFilePath, file.GetErrorText());
        return false;
    }
    const int rate = file.GetSampleRate();
    const int channels = file.GetChannels();
    recorder.SetFormat(rate, channels);
    recorder.SetBufferSize(recorder.GetBufferSize(1000)); // one block per second
    if (view_.isPreviewChecked())
        view_.setDisplayFormat(rate, channels);
    recorder.Start();
    if (recorder.GetStatus() < 0) {
        // Nothing was captured: leave no empty file behind.
        file.CloseWriter();
        QFile::remove(state_.OutputFilePath);
        lastError_ = QCoreApplication::translate(
                         "quillotap::RecordingSession",
                         "The recording could not start because the input could not be "
                         "opened.\n\n%1")
                         .arg(recorder.GetErrorText());
        return false;
    }
    view_.setPlayNowEnabled(false);
    state_.RecordingActive = true;
    view_.setStatusText(QCoreApplication::translate("quillotap::RecordingTexts", StatusRecording));
    view_.setSaveFileText(state_.OutputFilePath);
    // The figures of the last recording must not stand until the first tick.
    view_.setTimeText(FormatElapsed(0));
    view_.setSizeText(RunningSizeText(0));
    emit recordingStarted();
    return true;
}

void RecordingSession::undoRecord(const QString& message) {
    view_.setControlsEnabled(LockedWhileRecording, true);
    view_.runPreviewClick(); // the preview comes back if it is ticked
    view_.showError(message);
}

void RecordingSession::AudioRecord_EndArrayRecord(int /*block*/) {
    const SampleBlock block = state_.AudioRecord->GetRecordedBuffer();
    if (!state_.RecordingActive)
        return; // preview: fetched and dropped
    writeBlock(block);
    if (writeFailed_)
        Stop(); // keeps what the file holds and tells the user
}

void RecordingSession::AudioRecord_CaptureError(const QString& reason) {
    if (!state_.RecordingActive) {
        StopRecording();
        view_.setDisplaySamples({}); // the input is gone: nothing left to show
        view_.setStatusText(PreviewStoppedStatus(reason));
        return;
    }
    const QString path = state_.OutputFilePath;
    Stop(); // writes what was captured before the loss, closes and tags the file
    QString text =
        QCoreApplication::translate("quillotap::RecordingSession",
                                    "The recording was stopped because its input was lost.\n\n%1")
            .arg(reason);
    if (QFileInfo::exists(path))
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
    AudioFile& file = *state_.AudioFile;
    if (file.WriteSamples(block))
        return;
    writeFailed_ = true;
    failurePending_ = true;
    lastError_ = file.GetWriteError();
}

void RecordingSession::StopRecording() {
    AudioRecord& recorder = *state_.AudioRecord;
    recorder.Stop();
    SampleBlock last = recorder.GetRecordedBuffer();
    const bool wasRecording = state_.RecordingActive;
    if (wasRecording) {
        // The recorder hands out every block once: whatever it still holds
        // after the stop has not been written yet.
        while (!last.empty()) {
            writeBlock(last);
            last = recorder.GetRecordedBuffer();
        }
        state_.AudioFile->CloseWriter(); // a file being played stays open
        if (TakesDefaultTag(state_.OutputFilePath)) {
            SetDefaultTag(*state_.AudioInformation, id3_);
            state_.AudioInformation->WriteTags(state_.OutputFilePath);
        }
        showFinalSize();
    }
    view_.setDisplaySamples(last); // empty after a drain: clears the pane
    if (wasRecording) {
        view_.setPlayNowEnabled(true);
        state_.FileListStale = true;
    }
    state_.RecordingActive = false;
    view_.setStatusText(QCoreApplication::translate("quillotap::RecordingTexts", StatusReady));
    if (wasRecording)
        emit recordingStopped();
    if (failurePending_)
        reportWriteFailure();
}

void RecordingSession::showFinalSize() {
    const QFileInfo info(state_.OutputFilePath);
    if (info.exists())
        view_.setSizeText(FinalSizeText(info.size()));
}

void RecordingSession::reportWriteFailure() {
    failurePending_ = false;
    QString text = QCoreApplication::translate(
                       "quillotap::RecordingSession",
                       "The recording was stopped because the file could not be written.\n\n%1")
                       .arg(lastError_);
    if (QFileInfo::exists(state_.OutputFilePath))
        text += QCoreApplication::translate("quillotap::RecordingSession",
                                            "\n\nEverything recorded until then is kept in \"%1\".")
                    .arg(state_.OutputFilePath);
    else
        text += QCoreApplication::translate("quillotap::RecordingSession",
                                            "\n\nThe file \"%1\" no longer exists.")
                    .arg(state_.OutputFilePath);
    lastError_ = text;
    view_.showError(text);
}

void RecordingSession::Stop() {
    if (!state_.RecordingActive)
        return;
    view_.setControlsEnabled(LockedWhileRecording, true);
    StopRecording();
    view_.runPreviewClick(); // ticked: the preview restarts; cleared: stays stopped
    if (state_.IconMode)
        view_.showReadyInIconMode();
}

} // namespace quillotap
