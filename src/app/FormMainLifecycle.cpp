// The main window's load and unload sequences: what happens, in which order,
// when the program starts and when it ends. Each subsystem's own steps live
// with that subsystem; this file only calls them in turn.
#include "app/FormMain.h"

#include "app/SoundDeviceInit.h"
#include "files/FilesPage.h"
#include "files/Playback.h"
#include "files/RecordingsList.h"
#include "formats/FormatLine.h"
#include "hotkeys/HotkeyPage.h"
#include "recording/InputSelection.h"
#include "recording/RecorderPage.h"
#include "recording/RecordingStartOptions.h"
#include "settings/LaunchAtStartupBox.h"
#include "settings/OptionBoxes.h"
#include "settings/OutputFolder.h"
#include "settings/OutputFolderChooser.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "settings/SettingsSchema.h"
#include "ui/IconMode.h"
#include "ui/PageMenu.h"
#include "ui/PageMenuHandlers.h"
#include "ui/PresetMenus.h"
#include "ui/PresetSettings.h"
#include "ui/SliderHandlers.h"
#include "ui_PageOptions.h"
#include "ui_PageRecorder.h"
#include "widgets/Bitmaps.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace quillotap {

namespace {
const QString IconModeArgument = QStringLiteral("/icon");
} // namespace

bool FormMain::StartUp(const QStringList& arguments) {
    LoadSettings();
    if (endedEarly_)
        return false;
    const QString damage = Registry::instance().takeDamageReport();
    if (!damage.isEmpty())
        messages_.show(QMessageBox::Warning, QStringLiteral("Quillotap"), damage);

    hotkeyPage_->loadTable();
    Ui::PageRecorder& recorder = frame_->recorderUi();
    recorder.LabelFomartStr->setText(formats_.mp3Description);

    // The preview runs once, so that the recorder is set up, and is stopped
    // again unless it was on when the program last closed.
    recorder.CheckPreview->setChecked(true);
    const bool preview = ReadOption(option::Preview);
    pageMenuHandlers_->setPreviewRestore(preview);
    if (!preview)
        recorder.CheckPreview->setChecked(false);
    pageMenu_->onMenuButtonClicked(MainFrame::RecorderPage);
    formatLine().onFormatChosen();

    // Only the exact single argument "/icon" asks for icon mode.
    if (arguments.size() == 2 && arguments.at(1) == IconModeArgument)
        iconMode_->EnterFromWindow();
    // No skin: the window keeps the desktop's style.
    setWindowIcon(ProgramIcon());
    started_ = true;
    return true;
}

void FormMain::LoadSettings() {
    folderChooser_->setFolder(InitOutputFolder(ReadOption(option::FilePath), DocumentsFolder()));
    frame_->optionsUi().TextPath->setText(folderChooser_->folder());
    if (!InitSoundDevice())
        return;
    sliders_->InitPlayerVolumeSlider();
    pageMenu_->ShowPage(MainFrame::RecorderPage);
    frame_->showNormalPictures();
    pageMenu_->showNormalPictures();
    LoadFormatOptions(formats_, session_->writer());
    ApplyStoredPresets();
    formatLine().selectStored();
    recordingsList().invalidate();
    filesPage_->build();
    hotkeys().start();
    const CueFlags cues = optionBoxes_->LoadCueFlags();
    cues_->setStartCueOn(cues.playStartSound);
    cues_->setStopCueOn(cues.playStopSound);
    optionBoxes_->LoadLimits();
    optionBoxes_->LoadIconModeFlag();
    recorderPage_->loadStartOptions();
    launchAtStartup_->load();
    sliders_->InitSliderGeometry();
}

bool FormMain::InitSoundDevice() {
    const SoundDeviceResult result =
        quillotap::InitSoundDevice(session_->recorder(), frame_->recorderUi().DeviceCombo, *input_);
    if (result != SoundDeviceResult::NoSource)
        return true;
    messages_.show(QMessageBox::Critical, QStringLiteral("Quillotap"), tr(SoundDeviceFailureText));
    endedEarly_ = true;
    return false;
}

void FormMain::ApplyStoredPresets() {
    // The defaults first, so that a pane whose stored number is unusable
    // still shows its default preset; an unusable number reads as the default.
    presetMenus_->apply(1, DefaultPreset1);
    presetMenus_->apply(2, DefaultPreset2);
    const PanePresets stored = LoadVisualizationPresets();
    presetMenus_->apply(1, stored.preset1);
    presetMenus_->apply(2, stored.preset2);
}

void FormMain::Shutdown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    messages_.setEnding();
    // A window that never finished loading (or ended early) saves nothing.
    if (!started_ || endedEarly_)
        return;
    // A hotkey must not start anything while the window goes away.
    hotkeys().SuspendHotkeys();
    session_->stopCapture();
    if (playback().isActive())
        playback().StopPlayback();
    optionBoxes_->FinishLimitEditing();
    SaveSettings();
}

void FormMain::SaveSettings() {
    // Every value reaches the settings file in one rewrite.
    SettingsWriteGroup group;
    WriteOption(option::FilePath, folderChooser_->folder());
    formatLine().saveChoice();
    hotkeyPage_->saveTable();
    WriteOption(option::Preset1, presetMenus_->current(1));
    WriteOption(option::Preset2, presetMenus_->current(2));
    WriteOption(option::Preview, frame_->recorderUi().CheckPreview->isChecked());
    optionBoxes_->Save({cues_->startCueOn(), cues_->stopCueOn()});
    SaveFormatOptions(formats_);
    SaveRecordingStartOptions(startOptionBoxes().options());
}

} // namespace quillotap
