// The main window's load and unload sequences: what happens, in which order,
// when the program starts and when it ends. Each subsystem's own steps live
// with that subsystem; this file only calls them in turn.
#include "app/FormMain.h"

#include "app/SoundDeviceInit.h"
#include "formats/FormFLAC.h"
#include "formats/FormMP3.h"
#include "formats/FormOGG.h"
#include "formats/FormOPUS.h"
#include "formats/FormWAV.h"
#include "formats/FormWMA.h"
#include "formats/FormatCatalogue.h"
#include "hotkeys/HotkeyTable.h"
#include "recording/InputSelection.h"
#include "recording/RecordingStartOptions.h"
#include "recording/StartOptionBoxes.h"
#include "settings/LaunchAtStartup.h"
#include "settings/NumericText.h"
#include "settings/OptionBoxes.h"
#include "settings/OutputFolder.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "ui/Bitmaps.h"
#include "ui/PageMenu.h"
#include "ui/PictureButton.h"
#include "ui/SliderHandlers.h"
#include "ui_FormMain.h"
#include "ui_PageFiles.h"
#include "ui_PageHotkey.h"
#include "ui_PageIconMode.h"
#include "ui_PageOptions.h"
#include "ui_PageRecorder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <cmath>

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
    recorder_->LabelFomartStr->setText(state_.MP3FormatStr);

    // The preview runs once, so that the recorder is set up, and is stopped
    // again unless it was on when the program last closed.
    recorder_->CheckPreview->setChecked(true);
    SetPreviewFromSettings();
    pageMenu_->PicMenu_Click(RecorderPage);
    ComboFormat_Click();

    // Only the exact single argument "/icon" asks for icon mode.
    if (arguments.size() == 2 && arguments.at(1) == IconModeArgument)
        CmdIcon_Click();
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
    SelectLastFormat();
    state_.FileListStale = true;
    BuildRecordingsList();
    ArmHotkeyTimers();
    optionBoxes_->LoadCueFlags();
    optionBoxes_->LoadLimits();
    optionBoxes_->LoadIconModeFlag();
    startOptions_->Load();
    // Ticking the box writes the entry again, with this program's path.
    if (LaunchAtStartupStored())
        options_->CheckStart->setChecked(true);
    sliders_->InitSliderGeometry();
}

void FormMain::InitOutputFolder() {
    state_.AppFolder = AppFolderPath();
    state_.OutputFolder =
        quillotap::InitOutputFolder(ReadSetting(QStringLiteral("FilePath")), DocumentsFolder());
    options_->TextPath->setText(state_.OutputFolder);
}

bool FormMain::InitSoundDevice() {
    const SoundDeviceResult result =
        quillotap::InitSoundDevice(state_, recorder_->DeviceCombo, *input_);
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
    state_.CurrentPage = RecorderPage;
    frame_->PicAbout->showPicture(PictureButton::Picture::Normal);
}

void FormMain::LoadFormatSettings() {
    LoadOggSettings(state_.FormatSettings, *state_.AudioFile);
    LoadWavSettings(state_.FormatSettings, *state_.AudioFile);
    LoadWmaSettings(state_.FormatSettings, *state_.AudioFile);
    LoadFlacSettings(state_.FormatSettings, *state_.AudioFile);
    LoadOpusSettings(state_.FormatSettings, *state_.AudioFile);
    state_.MP3FormatStr = LoadMp3Settings(*state_.MP3Lame, *state_.AudioFile);
    state_.ID3 = LoadId3Defaults();
}

void FormMain::SelectLastFormat() {
    QComboBox* formats = recorder_->ComboFormat;
    formats->setCurrentIndex(0);
    // An index the list does not have leaves MP3.
    const double stored = LeadingNumber(ReadSetting(QStringLiteral("LastFormat")));
    if (!(stored > -1 && stored < formats->count()))
        return;
    const long index = std::lround(stored);
    if (index >= 0 && index < formats->count())
        formats->setCurrentIndex(static_cast<int>(index));
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
    if (ReadSetting(QStringLiteral("Preview")) == QLatin1String("1")) {
        state_.PreviewRestore = 1;
        return;
    }
    state_.PreviewRestore = 0;
    recorder_->CheckPreview->setChecked(false);
}

void FormMain::ComboFormat_Click() {
    const int code = recorder_->ComboFormat->currentIndex();
    // "Set" stays locked with the format list while a recording runs.
    recorder_->CmdSet->setEnabled(FormatHasOptions(code) && !state_.RecordingActive);
    const std::optional<QString> text = DescribeOutputFormat(
        code, state_.MP3FormatStr, *state_.MP3Lame, state_.FormatSettings, *state_.AudioFile);
    if (text)
        recorder_->LabelFomartStr->setText(*text);
    // The pre-roll is captured in the output format.
    if (session_)
        session_->UpdateStandby();
}

void FormMain::CmdSet_Click() {
    // The format cannot change in the middle of a file.
    if (state_.RecordingActive)
        return;
    // No hotkey acts while an options dialog is open. Each dialog is built
    // afresh, so it opens on the current settings.
    SuspendHotkeys();
    switch (recorder_->ComboFormat->currentIndex()) {
    case 0:
        FormMP3(*state_.MP3Lame, *state_.AudioFile, state_.MP3FormatStr, state_.ID3, this).exec();
        break;
    case 1:
        FormWMA(state_.FormatSettings, *state_.AudioFile, this).exec();
        break;
    case 2:
        FormOGG(state_.FormatSettings, *state_.AudioFile, this).exec();
        break;
    case 3:
        FormWAV(state_.FormatSettings, *state_.AudioFile, this).exec();
        break;
    case 5:
        FormFLAC(state_.FormatSettings, *state_.AudioFile, this).exec();
        break;
    case 6:
        FormOPUS(state_.FormatSettings, *state_.AudioFile, this).exec();
        break;
    default: // VOX has no options; nothing selected opens nothing
        break;
    }
    ComboFormat_Click();
    ResumeHotkeys();
}

void FormMain::StopRecording() {
    session_->StopRecording();
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
    if (state_.PlayerActive)
        StopPlayback();
    optionBoxes_->FinishLimitEditing();
    SaveSettings();
}

void FormMain::SaveSettings() {
    // Every value reaches the settings file in one rewrite.
    SettingsWriteGroup group;
    WriteSetting(QStringLiteral("FilePath"), state_.OutputFolder);
    WriteSetting(QStringLiteral("LastFormat"),
                 QString::number(recorder_->ComboFormat->currentIndex()));
    SaveHotkeyTable(hotkey_->ListViewHotkey);
    WriteSetting(QStringLiteral("Preset1"), QString::number(state_.CurrentPreset1));
    WriteSetting(QStringLiteral("Preset2"), QString::number(state_.CurrentPreset2));
    WriteSetting(QStringLiteral("Preview"),
                 recorder_->CheckPreview->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    SaveOptionFlags(state_);
    SaveOutputFormatSettings(state_.FormatSettings);
    SaveMp3Settings(*state_.MP3Lame);
    SaveRecordingStartOptions(state_.StartOptions);
}

} // namespace quillotap
