#include "app/MainRecordingView.h"

#include "app/MainFrame.h"
#include "audio/AudioVisualizationEx2.h"
#include "formats/FormatCatalogue.h"
#include "ui/IconMode.h"
#include "ui/PageMenu.h"
#include "ui_PageRecorder.h"
#include "widgets/PictureSlider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace quillotap {

MainRecordingView::MainRecordingView(MainFrame& frame, PageMenu& pageMenu, IconMode& iconMode,
                                     std::function<void(bool on)> previewToggled, Message showError,
                                     Message showStopReason)
    : frame_(frame), pageMenu_(pageMenu), iconMode_(iconMode),
      previewToggled_(std::move(previewToggled)), showError_(std::move(showError)),
      showStopReason_(std::move(showStopReason)) {}

QString MainRecordingView::selectedFormatText() const {
    return frame_.recorderUi().ComboFormat->currentText();
}

void MainRecordingView::setControlsEnabled(std::span<const RecordingControl> controls,
                                           bool enabled) {
    for (RecordingControl control : controls)
        setControlEnabled(control, enabled);
}

void MainRecordingView::setControlEnabled(RecordingControl control, bool enabled) {
    Ui::PageRecorder& ui = frame_.recorderUi();
    switch (control) {
    case RecordingControl::recordButton:
        ui.CmdRecord->setEnabled(enabled);
        break;
    case RecordingControl::filesPageButton:
        // Greys the files button and shows its greyed picture.
        pageMenu_.setRecordingActive(!enabled);
        break;
    case RecordingControl::formatList:
        // The format line opens the options too, so it is locked with the list.
        ui.ComboFormat->setEnabled(enabled);
        ui.LabelFomartStr->setEnabled(enabled);
        break;
    case RecordingControl::setButton:
        // A format without options (VOX) keeps "Set" disabled.
        ui.CmdSet->setEnabled(enabled && FormatHasOptions(ui.ComboFormat->currentIndex()));
        break;
    case RecordingControl::previewBox:
        ui.CheckPreview->setEnabled(enabled);
        break;
    case RecordingControl::deviceList:
        ui.DeviceCombo->setEnabled(enabled);
        break;
    case RecordingControl::sourceList:
        ui.ComboSource->setEnabled(enabled);
        break;
    case RecordingControl::balanceSlider:
        ui.PicSlider3->setEnabled(enabled);
        break;
    case RecordingControl::inputVolumeSlider:
        ui.PicSlider4->setEnabled(enabled);
        break;
    }
}

void MainRecordingView::setPlayNowEnabled(bool enabled) {
    frame_.recorderUi().CmdPlayNow->setEnabled(enabled);
}

void MainRecordingView::setStatusText(const QString& text) {
    frame_.statusLabel()->setText(text);
}

void MainRecordingView::setSaveFileText(const QString& text) {
    frame_.recorderUi().LabelSaveFile->setText(text);
}

void MainRecordingView::setTimeText(const QString& text) {
    frame_.recorderUi().LabelRTime->setText(text);
}

void MainRecordingView::setSizeText(const QString& text) {
    frame_.recorderUi().LabelRSize->setText(text);
}

bool MainRecordingView::isPreviewChecked() const {
    return frame_.recorderUi().CheckPreview->isChecked();
}

void MainRecordingView::runPreviewClick() {
    if (previewToggled_)
        previewToggled_(isPreviewChecked());
}

void MainRecordingView::setDisplayFormat(int sampleRate, int channels) {
    frame_.recorderUi().AudioVisualization21->SetFormat(sampleRate, channels);
}

void MainRecordingView::setDisplaySamples(const SampleBlock& block) {
    frame_.recorderUi().AudioVisualization21->SetSamples(block);
}

void MainRecordingView::showReadyInIconMode() {
    iconMode_.showRecording(false);
}

int MainRecordingView::inputVolumeTrackHeight() const {
    return frame_.recorderUi().PicSlider4->height();
}

void MainRecordingView::placeInputVolumeKnob(int position) {
    frame_.recorderUi().PicSlider4->SetVerticalSliderKnob(position);
}

void MainRecordingView::showError(const QString& text) {
    if (showError_)
        showError_(text);
}

void MainRecordingView::showStopReason(const QString& text) {
    if (showStopReason_)
        showStopReason_(text);
}

} // namespace quillotap
