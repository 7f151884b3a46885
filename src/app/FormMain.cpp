#include "app/FormMain.h"

#include "app/MainHotkeyActions.h"
#include "app/MainRecordingView.h"
#include "files/FilesPage.h"
#include "hotkeys/HotkeyPage.h"
#include "recording/InputSelection.h"
#include "recording/RecorderPage.h"
#include "settings/LaunchAtStartupBox.h"
#include "settings/OptionBoxes.h"
#include "settings/OutputFolder.h"
#include "settings/OutputFolderChooser.h"
#include "settings/Settings.h"
#include "ui/FormAbout.h"
#include "ui/HelpViewer.h"
#include "ui/IconMode.h"
#include "ui/PageMenu.h"
#include "ui/PageMenuHandlers.h"
#include "ui/PresetMenus.h"
#include "ui/SliderHandlers.h"
#include "ui/SystemTrayIcon.h"
#include "ui_PageFiles.h"
#include "ui_PageHotkey.h"
#include "ui_PageIconMode.h"
#include "ui_PageOptions.h"
#include "ui_PageRecorder.h"
#include "widgets/PictureButton.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

namespace quillotap {

FormMain::FormMain(QWidget* parent) : FormMain(FormMainServices{}, parent) {}

FormMain::FormMain(FormMainServices services, QWidget* parent)
    : QWidget(parent), appFolder_(AppFolderPath()), services_(std::move(services)),
      frame_(std::make_unique<MainFrame>(this)), messages_(this) {
    pageMenu_ = new PageMenu(frame_->menuButtons(), frame_->pageStack(), this);
    setUpIconMode();
    setUpEngines();
    setUpPages();
    setUpRecording();
    setUpHotkeys();
    // A settings change that cannot reach the disk is said once, not lost
    // without a word; while the program ends, the message goes to stderr.
    settingsReporter_ = std::make_unique<SettingsFailureReporter>([this](const QString& text) {
        messages_.show(QMessageBox::Warning, QStringLiteral("Quillotap"), text);
    });
}

FormMain::~FormMain() = default;

void FormMain::setUpIconMode() {
    std::unique_ptr<TrayIcon> tray =
        services_.trayFactory ? services_.trayFactory() : std::make_unique<SystemTrayIcon>();
    iconMode_ = new IconMode(*this, std::move(tray),
                             {[this] { session_->start(); }, [this] { session_->stop(); },
                              [this](const QString& text) { frame_->statusLabel()->setText(text); },
                              [this] { return session_->isRecording(); },
                              [this] { return session_->isArmed(); }},
                             this);
    Ui::PageIconMode& page = frame_->iconModeUi();
    iconMode_->showPicturesOn(page.Image3, page.Image4);
    connect(page.CmdIcon, &QPushButton::clicked, iconMode_, &IconMode::EnterFromWindow);
}

void FormMain::setUpEngines() {
    const auto showError = [this](const QString& text) {
        messages_.show(QMessageBox::Critical, tr("Error"), text);
    };
    // In icon mode the window is hidden: the icon's balloon tells, unless a
    // minimised window stands in for a missing notification area.
    const auto showStopReason = [this, showError](const QString& text) {
        if (iconMode_->isActive() && !iconMode_->isStandingIn())
            iconMode_->ShowTrayBalloon(text, QStringLiteral("Quillotap"));
        else
            showError(text);
    };
    recordingView_ = std::make_unique<MainRecordingView>(
        *frame_, *pageMenu_, *iconMode_, [this](bool on) { input_->onPreviewToggled(on); },
        showError, showStopReason);
    // The session owns the recorder and the writer; the files page owns the
    // list and the player.
    session_ =
        std::make_unique<RecordingSession>(*recordingView_, formats_.id3, services_.recordingClock);
    Ui::PageFiles& files = frame_->filesUi();
    filesPage_ = new FilesPage(
        {files.ListViewFile,
         {files.PicSlider1, files.AudioVisualizationEx21, files.LabelTime, files.LabelFileName,
          files.CmdPausePlay},
         files.CmdPlay,
         files.CmdPausePlay,
         files.CmdStopPlay,
         files.CmdRefresh,
         files.CmdRename,
         files.CmdDelete,
         files.CmdProper,
         files.CmdID3,
         files.CmdConvert},
        *this, *session_, formats_,
        {[this] { hotkeys().SuspendHotkeys(); }, [this] { hotkeys().ResumeHotkeys(); }},
        [this](QMessageBox::Icon icon, const QString& title, const QString& text) {
            messages_.show(icon, title, text);
        },
        this);
    // The status line belongs to a running recording; the message box tells
    // either way.
    connect(&playback(), &Playback::playbackFailed, this,
            [this, showError](const QString& status, const QString& text) {
                if (!session_->isRecording())
                    frame_->statusLabel()->setText(status);
                showError(text);
            });
    presetMenus_ = new PresetMenus(
        {frame_->recorderUi().AudioVisualization21, frame_->recorderUi().PicPreset1},
        {files.AudioVisualizationEx21, files.PicPreset2}, this);
}

void FormMain::setUpPages() {
    Ui::PageRecorder& recorder = frame_->recorderUi();
    Ui::PageFiles& files = frame_->filesUi();
    Ui::PageOptions& options = frame_->optionsUi();
    pageMenuHandlers_ = new PageMenuHandlers(
        *pageMenu_, recorder.CheckPreview,
        {[this] { filesPage_->build(); }, [this] { playback().StopPlayback(); },
         [this] { ShowHelp(appFolder_, this); }, [this] { return session_->isRecording(); }},
        this);
    connect(frame_->aboutButton(), &PictureButton::clicked, this, [this] {
        FormAbout::showFor(this);
        frame_->aboutButton()->showPicture(PictureButton::Picture::Normal);
    });

    input_ = new InputSelection(session_->recorder(), session_->writer(),
                                {recorder.DeviceCombo, recorder.ComboSource, recorder.PicSlider3,
                                 recorder.PicSlider4, recorder.CheckPreview,
                                 recorder.AudioVisualization21},
                                this);
    sliders_ = new SliderHandlers(
        playback(), *input_,
        {files.PicSlider1, files.PicSlider2, recorder.PicSlider3, recorder.PicSlider4},
        [this] { playback().SeekPlayback(frame_->filesUi().PicSlider1->value()); }, this);

    optionBoxes_ = new OptionBoxes({options.CheckSound1, options.CheckSound2, options.CheckSize,
                                    options.TextSize, options.CheckTime, options.TextTime,
                                    frame_->iconModeUi().CheckIconMode},
                                   this);
    // Leaving the options page ends the editing of a limit box.
    connect(frame_->pageStack(), &QStackedWidget::currentChanged, optionBoxes_,
            &OptionBoxes::FinishLimitEditing);
    folderChooser_ = new OutputFolderChooser(
        options.TextPath, this,
        {[this] { hotkeys().SuspendHotkeys(); }, [this] { hotkeys().ResumeHotkeys(); }}, this);
    folderChooser_->setErrorMessage([this](const QString& title, const QString& text) {
        messages_.show(QMessageBox::Critical, title, text);
    });
    connect(options.CmdBrowse, &QPushButton::clicked, folderChooser_, &OutputFolderChooser::browse);
    connect(folderChooser_, &OutputFolderChooser::folderChanged, filesPage_, &FilesPage::setFolder);
    connect(folderChooser_, &OutputFolderChooser::folderChanged, session_.get(),
            &RecordingSession::setOutputFolder);
    launchAtStartup_ = new LaunchAtStartupBox(
        options.CheckStart,
        [this](const QString& text) {
            messages_.show(QMessageBox::Warning, QStringLiteral("Quillotap"), text);
        },
        this);
}

void FormMain::setUpRecording() {
    Ui::PageRecorder& recorder = frame_->recorderUi();
    Ui::PageOptions& options = frame_->optionsUi();
    recorderPage_ = new RecorderPage(
        {recorder.CmdRecord,
         recorder.CmdStopRecord,
         recorder.ComboFormat,
         recorder.LabelFomartStr,
         recorder.CmdSet,
         recorder.DeviceCombo,
         {options.SpinPreRoll, options.CheckSoundStart, options.SpinSilence,
          options.SliderThreshold, options.BarInputLevel}},
        *recordingView_, *session_, *input_, *optionBoxes_, formats_, this,
        [this] { hotkeys().SuspendHotkeys(); }, [this] { hotkeys().ResumeHotkeys(); }, this);
    connect(recorder.CmdPlayNow, &QPushButton::clicked, this, &FormMain::onPlayNowClicked);

    cues_ = std::make_unique<CueSounds>(appFolder_, nullptr, services_.cueWait);
    connect(options.CheckSound1, &QCheckBox::toggled, this,
            [this](bool ticked) { cues_->setStartCueOn(ticked); });
    connect(options.CheckSound2, &QCheckBox::toggled, this,
            [this](bool ticked) { cues_->setStopCueOn(ticked); });
    connect(options.CmdTestSound1, &QPushButton::clicked, this, [this] { cues_->testStartCue(); });
    connect(options.CmdTestSound2, &QPushButton::clicked, this, [this] { cues_->testStopCue(); });
}

void FormMain::setUpHotkeys() {
    hotkeyActions_ = std::make_unique<MainHotkeyActions>(
        *this, *session_, playback(), *cues_, *iconMode_, *pageMenu_, frame_->filesUi().PicSlider2,
        [this] { onPlayNowClicked(); });
    HotkeySetup setup;
    setup.source = services_.hotkeySource;
    setup.waylandSession = services_.waylandSession;
    setup.keyboard = std::move(services_.keyboard);
    setup.bus = services_.hotkeyBus;
    setup.clock = services_.hotkeyClock;
    Ui::PageHotkey& page = frame_->hotkeyUi();
    hotkeyPage_ = std::make_unique<HotkeyPage>(
        HotkeyPageControls{page.ListViewHotkey,
                           page.LabelHotkeyNote,
                           {page.Frame1, page.Option1, page.Option2, page.CheckCtrl, page.CheckAlt,
                            page.CheckShift, page.ComboKey},
                           page.CmdChange},
        *hotkeyActions_, std::move(setup),
        // The status line belongs to a running recording.
        [this](const QString& text) {
            if (!session_->isRecording() && !session_->isArmed())
                frame_->statusLabel()->setText(text);
        },
        [this](const QString& text, const QString& title) {
            messages_.show(QMessageBox::Critical, title, text);
        });
}

void FormMain::onPlayNowClicked() {
    if (session_->outputFilePath().isEmpty())
        return;
    // Showing the files page rebuilds the list if the recording is not in it
    // yet.
    pageMenu_->onMenuButtonClicked(MainFrame::FilesPage);
    filesPage_->playRecording(session_->outputFilePath(), session_->outputFileName());
}

void FormMain::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp(appFolder_, this);
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void FormMain::closeEvent(QCloseEvent* event) {
    Shutdown();
    event->accept();
}

void FormMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && iconMode_)
        iconMode_->windowStateChangedTo(isMinimized(),
                                        [this] { return optionBoxes_->iconModeWhenMinimised(); });
}

} // namespace quillotap
