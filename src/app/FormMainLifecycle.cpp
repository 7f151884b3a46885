// The main window's load and unload sequences: what happens, in which order,
// when the program starts and when it ends. Each subsystem's own steps live
// with that subsystem; this file only calls them in turn.
#include "app/FormMain.h"

#include "app/SoundDeviceInit.h"
#include "files/Playback.h"
#include "files/RecordingsList.h"
#include "formats/FormatLine.h"
#include "hotkeys/HotkeyTable.h"
#include "recording/InputSelection.h"
#include "recording/RecordingStartOptions.h"
#include "recording/StartOptionBoxes.h"
#include "settings/LaunchAtStartup.h"
#include "settings/OptionBoxes.h"
#include "settings/OutputFolder.h"
#include "settings/OutputFolderChooser.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "settings/SettingsSchema.h"
#include "ui/PageMenu.h"
#include "ui/PageMenuHandlers.h"
#include "ui/PresetMenus.h"
#include "ui/SliderHandlers.h"
#include "ui_FormMain.h"
#include "ui_PageFiles.h"
#include "ui_PageHotkey.h"
#include "ui_PageIconMode.h"
#include "ui_PageOptions.h"
#include "ui_PageRecorder.h"
#include "widgets/Bitmaps.h"
#include "widgets/PictureButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

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
        showMessage(QMessageBox::Warning, QStringLiteral("Quillotap"), damage);

    // The report views already select whole rows and draw grid lines.
    LoadHotkeyTable();
    recorder_->LabelFomartStr->setText(formats_.mp3Description);

    // The preview runs once, so that the recorder is set up, and is stopped
    // again unless it was on when the program last closed.
    recorder_->CheckPreview->setChecked(true);
    SetPreviewFromSettings();
    pageMenu_->PicMenu_Click(RecorderPage);
    formatLine_->onFormatChosen();

    // Only the exact single argument "/icon" asks for icon mode.
    if (arguments.size() == 2 && arguments.at(1) == IconModeArgument)
        onIconModeClicked();
    // No skin: the window keeps the desktop's style.
    setWindowIcon(ProgramIcon());
    started_ = true;
    return true;
}

void FormMain::LoadSettings() {
    InitOutputFolder();
    if (!InitSoundDevice())
        return;
    sliders_->InitPlayerVolumeSlider();
    LayoutPages();
    LoadMenuPictures();
    LoadFormatSettings();
    ApplyStoredPresets();
    formatLine_->selectStored();
    recordingsList_->invalidate();
    BuildRecordingsList();
    ArmHotkeyTimers();
    const CueFlags cues = optionBoxes_->LoadCueFlags();
    cues_->setStartCueOn(cues.playStartSound);
    cues_->setStopCueOn(cues.playStopSound);
    optionBoxes_->LoadLimits();
    optionBoxes_->LoadIconModeFlag();
    startOptions_->Load();
    session_->setStartOptions(startOptions_->options());
    // Ticking the box writes the entry again, with this program's path.
    if (LaunchAtStartupStored())
        options_->CheckStart->setChecked(true);
    sliders_->InitSliderGeometry();
}

void FormMain::InitOutputFolder() {
    folderChooser_->setFolder(
        quillotap::InitOutputFolder(ReadOption(option::FilePath), DocumentsFolder()));
    options_->TextPath->setText(folderChooser_->folder());
}

bool FormMain::InitSoundDevice() {
    const SoundDeviceResult result =
        quillotap::InitSoundDevice(session_->recorder(), recorder_->DeviceCombo, *input_);
    if (result != SoundDeviceResult::NoSource)
        return true;
    showMessage(QMessageBox::Critical, QStringLiteral("Quillotap"), tr(SoundDeviceFailureText));
    endedEarly_ = true;
    return false;
}

void FormMain::LayoutPages() {
    pageMenu_->ShowPage(RecorderPage);
}

void FormMain::LoadMenuPictures() {
    for (PictureButton* preset : {recorder_->PicPreset1, files_->PicPreset2})
        preset->showPicture(PictureButton::Picture::Normal);
    pageMenu_->LoadMenuPictures();
    frame_->PicAbout->showPicture(PictureButton::Picture::Normal);
}

void FormMain::LoadFormatSettings() {
    LoadFormatOptions(formats_, session_->writer());
}

void FormMain::ArmHotkeyTimers() {
    hotkeys_->start();
}

void FormMain::LoadHotkeyTable() {
    QTreeWidget* list = hotkey_->ListViewHotkey;
    if (list->topLevelItemCount() == 0)
        quillotap::LoadHotkeyTable(list);
    // Selecting the first row shows it in the editor.
    list->setCurrentItem(list->topLevelItem(0));
    ShowHotkeyInEditor(list->topLevelItem(0),
                       HotkeyEditorControls{hotkey_->Frame1, hotkey_->Option1, hotkey_->Option2,
                                            hotkey_->CheckCtrl, hotkey_->CheckAlt,
                                            hotkey_->CheckShift, hotkey_->ComboKey});
}

void FormMain::SetPreviewFromSettings() {
    if (ReadOption(option::Preview)) {
        pageMenuHandlers_->setPreviewRestore(true);
        return;
    }
    pageMenuHandlers_->setPreviewRestore(false);
    recorder_->CheckPreview->setChecked(false);
}

void FormMain::StopRecording() {
    session_->stopCapture();
}

void FormMain::SuspendHotkeys() {
    hotkeys_->SuspendHotkeys();
}

void FormMain::ResumeHotkeys() {
    hotkeys_->ResumeHotkeys();
}

void FormMain::Shutdown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    // A window that never finished loading (or ended early) saves nothing.
    if (!started_ || endedEarly_)
        return;
    // A hotkey must not start anything while the window goes away.
    hotkeys_->SuspendHotkeys();
    StopRecording();
    if (playback_->isActive())
        StopPlayback();
    optionBoxes_->FinishLimitEditing();
    SaveSettings();
}

void FormMain::SaveSettings() {
    // Every value reaches the settings file in one rewrite.
    SettingsWriteGroup group;
    WriteOption(option::FilePath, folderChooser_->folder());
    formatLine_->saveChoice();
    SaveHotkeyTable(hotkey_->ListViewHotkey);
    WriteOption(option::Preset1, presetMenus_->current(1));
    WriteOption(option::Preset2, presetMenus_->current(2));
    WriteOption(option::Preview, recorder_->CheckPreview->isChecked());
    optionBoxes_->Save({cues_->startCueOn(), cues_->stopCueOn()});
    SaveFormatOptions(formats_);
    SaveRecordingStartOptions(startOptions_->options());
}

} // namespace quillotap
