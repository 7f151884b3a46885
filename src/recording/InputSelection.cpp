#include "recording/InputSelection.h"

#include "audio/AudioFile.h"
#include "audio/AudioRecord.h"
#include "audio/AudioVisualizationEx2.h"
#include "widgets/PictureSlider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

namespace quillotap {

namespace {
constexpr int BlockMilliseconds = 1000;
} // namespace

InputSelection::InputSelection(AudioRecord& recorder, const AudioFile& writer,
                               const InputControls& controls, QObject* parent)
    : QObject(parent), recorder_(recorder), writer_(writer), c_(controls) {
    connect(c_.deviceList, &QComboBox::currentIndexChanged, this, &InputSelection::onDeviceChosen);
    connect(c_.sourceList, &QComboBox::currentIndexChanged, this, &InputSelection::SelectSource);
    connect(c_.previewBox, &QCheckBox::toggled, this, &InputSelection::onPreviewToggled);
}

void InputSelection::onDeviceChosen() {
    AudioRecord& recorder = recorder_;
    const int entry = c_.deviceList->currentIndex();
    if (entry >= 0)
        recorder.SetDevice(c_.deviceList->itemData(entry).toInt());
    recountSources();
    FillSourceList();
    if (c_.sourceList->count() < 1)
        return;
    // Entry 0 becomes the source even when it was selected already.
    {
        const QSignalBlocker quiet(c_.sourceList);
        c_.sourceList->setCurrentIndex(0);
    }
    SelectSource();
}

void InputSelection::FillSourceList() {
    AudioRecord& recorder = recorder_;
    const QSignalBlocker quiet(c_.sourceList);
    c_.sourceList->clear();
    // Every line index up to and including the count is asked for; an index
    // the recorder has no line for answers with an empty name and is left
    // out, so the list holds real sources only.
    for (int line = 0; line <= sourceCount_; ++line) {
        recorder.SelectLine(line);
        const QString name = recorder.GetLineName();
        if (!name.isEmpty())
            c_.sourceList->addItem(name);
    }
    c_.sourceList->setCurrentIndex(-1);
}

void InputSelection::SelectSource() {
    if (c_.sourceList->count() == 0)
        return;
    AudioRecord& recorder = recorder_;
    const QString wanted = c_.sourceList->currentText();
    int line = 0;
    for (; line <= sourceCount_; ++line) {
        recorder.SelectLine(line);
        if (recorder.GetLineName() == wanted)
            break;
    }
    sourceLine_ = line;
    recorder.SelectLine(line);

    // A control the line lacks shows as a disabled slider with the dimmed
    // knob: the volume at the line's reported level, the balance centred.
    const bool hasVolume = recorder.GetLineHasVolume();
    c_.inputVolumeSlider->setEnabled(hasVolume);
    c_.inputVolumeSlider->setDimmed(!hasVolume);
    c_.inputVolumeSlider->placeKnobAtValue(recorder.GetLineVolume());

    const bool hasBalance = recorder.GetLineHasBalance();
    c_.balanceSlider->setEnabled(hasBalance);
    c_.balanceSlider->setDimmed(!hasBalance);
    if (hasBalance)
        c_.balanceSlider->placeKnobAtValue(recorder.GetLineBalance());
    else
        c_.balanceSlider->SetSliderKnob(c_.balanceSlider->width() / 2);

    recorder.SelectLine(sourceLine_);
    recorder.SetLineSelected(true);
}

CaptureFormat IdleCaptureFormat(const AudioFile& file) {
    CaptureFormat format;
    const int rate = file.GetSampleRate();
    const int channels = file.GetChannels();
    if (rate > 0 && channels > 0)
        format = {rate, channels};
    return format;
}

CaptureFormat InputSelection::previewFormat() const {
    return IdleCaptureFormat(writer_);
}

void InputSelection::recountSources() {
    sourceCount_ = recorder_.GetLineCount();
}

void InputSelection::beginVolumeDrag() {
    volumeDragging_ = true;
}

void InputSelection::applyBalance(int balance) {
    recorder_.SelectLine(sourceLine_);
    recorder_.SetLineBalance(balance);
}

void InputSelection::applyVolume(int volume) {
    volumeDragging_ = false;
    recorder_.SelectLine(sourceLine_);
    recorder_.SetLineVolume(volume);
}

void InputSelection::onPreviewToggled(bool ticked) {
    if (!ticked) {
        if (stopRecording_)
            stopRecording_();
        return;
    }
    AudioRecord& recorder = recorder_;
    SelectSource();
    const CaptureFormat format = previewFormat();
    recorder.SetFormat(format.sampleRate, format.channels);
    recorder.SetBufferSize(recorder.GetBufferSize(BlockMilliseconds));
    c_.display->SetFormat(format.sampleRate, format.channels);
    recorder.Start();
}

} // namespace quillotap
