#include "app/FormMain.h"

#include "app/MainHotkeyActions.h"
#include "app/MainRecordingView.h"
#include "audio/AudioRecord.h"
#include "formats/FormatLine.h"
#include "hotkeys/HotkeyEditor.h"
#include "hotkeys/HotkeyPageNotice.h"
#include "hotkeys/HotkeyRows.h"
#include "hotkeys/HotkeyTable.h"
#include "hotkeys/HotkeyTexts.h"
#include "recording/InputSelection.h"
#include "recording/RecordingMonitor.h"
#include "recording/SleepInhibitor.h"
#include "recording/StartOptionBoxes.h"
#include "settings/LaunchAtStartup.h"
#include "settings/OptionBoxes.h"
#include "settings/OutputFolder.h"
#include "settings/OutputFolderChooser.h"
#include "settings/Settings.h"
#include "ui/CaptionedPictures.h"
#include "ui/FormAbout.h"
#include "ui/HelpViewer.h"
#include "ui/IconMode.h"
#include "ui/PageMenu.h"
#include "ui/PageMenuHandlers.h"
#include "ui/SliderHandlers.h"
#include "ui_FormMain.h"
#include "ui_PageFiles.h"
#include "ui_PageHotkey.h"
#include "ui_PageIconMode.h"
#include "ui_PageOptions.h"
#include "ui_PageRecorder.h"
#include "widgets/Bitmaps.h"
#include "widgets/PictureButton.h"
#include "widgets/ReportView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>

#include <algorithm>
#include <initializer_list>

namespace quillotap {

namespace {

// Page rectangle and menu buttons, in twips.
constexpr int PageLeft = 2175;
constexpr int PageTop = 900;
constexpr int PageWidth = 7150;
constexpr int PageHeight = 5220;
constexpr int MenuLeft = 15;
constexpr int MenuTop = 270;
constexpr int MenuPitch = 420;
constexpr int MenuWidth = 1560;
constexpr int MenuHeight = 405;
// Space kept right of and below the pages, in pixels.
constexpr int WindowMargin = 15;

const char* const WindowIconPath = ":/icons/quillotap.png";

} // namespace

QRect FormMain::PageRect() {
    return {Twips(PageLeft), Twips(PageTop), Twips(PageWidth), Twips(PageHeight)};
}

QRect FormMain::MenuButtonRect(int index) {
    return {Twips(MenuLeft), Twips(MenuTop + MenuPitch * index), Twips(MenuWidth),
            Twips(MenuHeight)};
}

FormMain::FormMain(QWidget* parent) : FormMain(FormMainServices{}, parent) {}

FormMain::FormMain(FormMainServices services, QWidget* parent)
    : QWidget(parent), frame_(std::make_unique<Ui::FormMain>()),
      recorder_(std::make_unique<Ui::PageRecorder>()), files_(std::make_unique<Ui::PageFiles>()),
      hotkey_(std::make_unique<Ui::PageHotkey>()), iconMode_(std::make_unique<Ui::PageIconMode>()),
      options_(std::make_unique<Ui::PageOptions>()), services_(std::move(services)) {
    appFolder_ = AppFolderPath();
    setUpFrame();
    setUpPages();
    setUpListViews();
    setUpPictures();
    setUpEngines();
    setUpSubsystems();
    setUpRecording();
    setUpHotkeys();
    setUpRecordingsList();
    setUpIconMode();
    setUpPresets();
    // A settings change that cannot reach the disk is said once, not lost
    // without a word; while the program ends, the message goes to stderr.
    settingsReporter_ = std::make_unique<SettingsFailureReporter>([this](const QString& text) {
        showMessage(QMessageBox::Warning, QStringLiteral("Quillotap"), text);
    });
}

FormMain::~FormMain() = default;

void FormMain::setUpFrame() {
    frame_->setupUi(this);
    setWindowTitle(QStringLiteral("Quillotap"));
    if (QFile::exists(QString::fromLatin1(WindowIconPath)))
        setWindowIcon(ProgramIcon());

    // The forms carry the same geometry; the twips figures are authoritative.
    for (int i = 0; i < MenuButtonCount; ++i)
        menuButton(i)->setGeometry(MenuButtonRect(i));
    const QRect pages = PageRect();
    frame_->PicFrame->setGeometry(pages);
    frame_->LabelStatus->setGeometry(pages.left(), MenuButtonRect(0).top(), pages.width(),
                                     MenuButtonRect(0).height());
    setFixedSize(pages.right() + 1 + WindowMargin, pages.bottom() + 1 + WindowMargin);
}

void FormMain::setUpPages() {
    // Each page is built from its own form; the form names the page
    // PicFrame0..PicFrame4 after its place in the menu.
    auto addPage = [this](auto& ui) {
        auto* page = new QWidget(frame_->PicFrame);
        ui.setupUi(page);
        frame_->PicFrame->addWidget(page);
    };
    addPage(*recorder_);
    addPage(*files_);
    addPage(*hotkey_);
    addPage(*iconMode_);
    addPage(*options_);
    frame_->PicFrame->setCurrentIndex(RecorderPage);
}

void FormMain::setUpListViews() {
    SetUpReportView(files_->ListViewFile, {{2140, QStringLiteral("20261207-181541.mp3")},
                                           {1900, QStringLiteral("2026/12/07 18:15:41")},
                                           {640, QStringLiteral("99,999")},
                                           {640, QStringLiteral("MP3")}});
    // The status column also takes what is left of the width. The samples
    // are the longest texts in the UI language.
    SetUpReportView(hotkey_->ListViewHotkey,
                    {{3750, HotkeyFunctionText(6)},
                     {1650, QStringLiteral("Ctrl + Alt + Down")},
                     {0, QCoreApplication::translate("quillotap::HotkeyTable", "Disabled")}});
}

void FormMain::setUpPictures() {
    // Menu button i: normal, hover and selected pictures; the Files button
    // also has the greyed picture it shows while a recording runs. The
    // recorder page is shown first, so its button starts selected. The
    // pictures carry their labels in the UI language.
    for (int i = 0; i < MenuButtonCount; ++i) {
        menuButton(i)->setPictures(MenuButtonPicture(i, MenuPicture::Normal),
                                   MenuButtonPicture(i, MenuPicture::Hover),
                                   MenuButtonPicture(i, MenuPicture::Selected));
    }
    menuButton(FilesPage)->setGreyedPicture(GreyedFilesPicture());
    menuButton(RecorderPage)->setSelected(true);

    frame_->PicAbout->setPictures(AboutPicture(bitmap::AboutNormal),
                                  AboutPicture(bitmap::AboutHover),
                                  AboutPicture(bitmap::AboutPressed));
    // The preset buttons keep their hover picture while pressed.
    for (PictureButton* preset : {recorder_->PicPreset1, files_->PicPreset2})
        preset->setPictures(LoadBitmap(bitmap::PresetNormal), LoadBitmap(bitmap::PresetHover),
                            LoadBitmap(bitmap::PresetHover));
}

QStackedWidget* FormMain::pageStack() const {
    return frame_->PicFrame;
}

QWidget* FormMain::page(int index) const {
    return frame_->PicFrame->widget(index);
}

PictureButton* FormMain::menuButton(int index) const {
    switch (index) {
    case 0:
        return frame_->PicMenu0;
    case 1:
        return frame_->PicMenu1;
    case 2:
        return frame_->PicMenu2;
    case 3:
        return frame_->PicMenu3;
    case 4:
        return frame_->PicMenu4;
    case 5:
        return frame_->PicMenu5;
    default:
        return nullptr;
    }
}

PictureButton* FormMain::aboutButton() const {
    return frame_->PicAbout;
}

QLabel* FormMain::statusLabel() const {
    return frame_->LabelStatus;
}

void FormMain::setUpSubsystems() {
    // The pages get their size now, so that knobs placed during the
    // start-up sit where they belong before the window is first shown.
    for (int i = 0; i < PageCount; ++i) {
        page(i)->resize(PageRect().size());
        if (QLayout* layout = page(i)->layout())
            layout->activate();
    }

    QList<PictureButton*> buttons;
    for (int i = 0; i < MenuButtonCount; ++i)
        buttons << menuButton(i);
    pageMenu_ = new PageMenu(buttons, pageStack(), this);
    pageMenuHandlers_ =
        new PageMenuHandlers(*pageMenu_, recorder_->CheckPreview,
                             {[this] { BuildRecordingsList(); }, [this] { onStopPlayClicked(); },
                              [this] { OpenManual(); }, [this] { return session_->isRecording(); }},
                             this);
    connect(frame_->PicAbout, &PictureButton::clicked, this, [this] {
        FormAbout::showFor(this);
        frame_->PicAbout->showPicture(PictureButton::Picture::Normal);
    });

    input_ = new InputSelection(session_->recorder(), session_->writer(),
                                {recorder_->DeviceCombo, recorder_->ComboSource,
                                 recorder_->PicSlider3, recorder_->PicSlider4,
                                 recorder_->CheckPreview, recorder_->AudioVisualization21},
                                this);

    sliders_ = new SliderHandlers(
        *playback_, *input_,
        {files_->PicSlider1, files_->PicSlider2, recorder_->PicSlider3, recorder_->PicSlider4},
        [this] { SeekPlayback(); }, this);

    optionBoxes_ = new OptionBoxes({options_->CheckSound1, options_->CheckSound2,
                                    options_->CheckSize, options_->TextSize, options_->CheckTime,
                                    options_->TextTime, iconMode_->CheckIconMode},
                                   this);
    // Leaving the options page ends the editing of a limit box.
    connect(pageStack(), &QStackedWidget::currentChanged, optionBoxes_,
            &OptionBoxes::FinishLimitEditing);
    folderChooser_ =
        new OutputFolderChooser(options_->TextPath, this,
                                {[this] { SuspendHotkeys(); }, [this] { ResumeHotkeys(); }}, this);
    folderChooser_->setErrorMessage([this](const QString& title, const QString& text) {
        showMessage(QMessageBox::Critical, title, text);
    });
    connect(options_->CmdBrowse, &QPushButton::clicked, folderChooser_,
            &OutputFolderChooser::browse);
    connect(options_->CheckStart, &QCheckBox::toggled, this, &FormMain::onLaunchAtStartupToggled);

    connect(hotkey_->ListViewHotkey, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* row) {
                ShowHotkeyInEditor(row, HotkeyEditorControls{hotkey_->Frame1, hotkey_->Option1,
                                                             hotkey_->Option2, hotkey_->CheckCtrl,
                                                             hotkey_->CheckAlt, hotkey_->CheckShift,
                                                             hotkey_->ComboKey});
            });
}

void FormMain::onLaunchAtStartupToggled(bool ticked) {
    QString error;
    if (CheckStart_Click(ticked, &error))
        return;
    // The box shows what will happen at the next login: unticked when the
    // entry could not be written, ticked when it could not be removed.
    const QSignalBlocker quiet(options_->CheckStart);
    options_->CheckStart->setChecked(!ticked);
    showMessage(QMessageBox::Warning, QStringLiteral("Quillotap"), error);
}

void FormMain::setUpEngines() {
    const auto showError = [this](const QString& text) {
        showMessage(QMessageBox::Critical, tr("Error"), text);
    };
    // In icon mode the window is hidden: the icon's balloon tells, unless a
    // minimised window stands in for a missing notification area.
    const auto showStopReason = [this, showError](const QString& text) {
        if (isInIconMode() && !iconModeController_->isStandingIn())
            iconModeController_->ShowTrayBalloon(text, QStringLiteral("Quillotap"));
        else
            showError(text);
    };
    recordingView_ = std::make_unique<MainRecordingView>(*this, showError, showStopReason);
    // The session owns the recorder and the writer; playback owns the player.
    session_ =
        std::make_unique<RecordingSession>(*recordingView_, formats_.id3, services_.recordingClock);
    setUpPlayback();
}

void FormMain::setUpRecording() {
    // The monitor takes the recorder's ticks and volume changes.
    monitor_ = std::make_unique<RecordingMonitor>(*recordingView_, *session_);
    monitor_->setVolumeKnobHeld([this] { return input_->isVolumeDragging(); });
    connect(optionBoxes_, &OptionBoxes::limitsChanged, monitor_.get(),
            &RecordingMonitor::setLimits);
    connect(folderChooser_, &OutputFolderChooser::folderChanged, session_.get(),
            &RecordingSession::setOutputFolder);
    // The preview switched off: the input stays open only for the pre-roll.
    input_->setStopRecording([this] {
        StopRecording();
        session_->updateStandby();
    });
    startOptions_ = new StartOptionBoxes({options_->SpinPreRoll, options_->CheckSoundStart,
                                          options_->SpinSilence, options_->SliderThreshold,
                                          options_->BarInputLevel},
                                         this);
    connect(startOptions_, &StartOptionBoxes::changed, session_.get(), [this] {
        session_->setStartOptions(startOptions_->options());
        session_->updateStandby();
    });
    // After the input selection has switched the device.
    connect(recorder_->DeviceCombo, &QComboBox::currentIndexChanged, session_.get(),
            [this] { session_->updateStandby(true); });
    connect(&session_->recorder(), &AudioRecord::Timer, startOptions_,
            [this](qint64, int left, int right) { startOptions_->ShowInputLevel(left, right); });
    // The machine must not suspend in the middle of a recording.
    auto* inhibitor = new SleepInhibitor(this);
    connect(session_.get(), &RecordingSession::recordingStarted, inhibitor,
            [inhibitor] { inhibitor->inhibit(tr("Recording in progress")); });
    connect(session_.get(), &RecordingSession::recordingStopped, inhibitor,
            &SleepInhibitor::release);

    connect(recorder_->CmdRecord, &QPushButton::clicked, session_.get(), &RecordingSession::start);
    connect(recorder_->CmdStopRecord, &QPushButton::clicked, session_.get(),
            &RecordingSession::stop);
    connect(recorder_->CmdPlayNow, &QPushButton::clicked, this, &FormMain::onPlayNowClicked);
    formatLine_ = new FormatLine(recorder_->ComboFormat, recorder_->LabelFomartStr,
                                 recorder_->CmdSet, formats_, session_->writer(), this,
                                 {[this] { return session_->isRecording(); },
                                  [this] { SuspendHotkeys(); }, [this] { ResumeHotkeys(); },
                                  // The pre-roll is captured in the output format.
                                  [this] { session_->updateStandby(); }},
                                 this);

    cues_ = std::make_unique<CueSounds>(appFolder_, nullptr, services_.cueWait);
    connect(options_->CheckSound1, &QCheckBox::toggled, this,
            [this](bool ticked) { cues_->setStartCueOn(ticked); });
    connect(options_->CheckSound2, &QCheckBox::toggled, this,
            [this](bool ticked) { cues_->setStopCueOn(ticked); });
    connect(options_->CmdTestSound1, &QPushButton::clicked, this,
            [this] { cues_->testStartCue(); });
    connect(options_->CmdTestSound2, &QPushButton::clicked, this, [this] { cues_->testStopCue(); });
}

void FormMain::setUpHotkeys() {
    hotkeyRows_ = std::make_unique<TreeWidgetHotkeyRows>(hotkey_->ListViewHotkey);
    hotkeyActions_ = std::make_unique<MainHotkeyActions>(*this, *session_, *cues_);
    HotkeySetup setup;
    setup.source = services_.hotkeySource;
    setup.waylandSession = services_.waylandSession;
    setup.keyboard = std::move(services_.keyboard);
    setup.bus = services_.hotkeyBus;
    setup.clock = services_.hotkeyClock;
    hotkeys_ = std::make_unique<Hotkeys>(*hotkeyActions_, *hotkeyRows_, std::move(setup));
    // The hotkey page tells where the hotkeys do not reach; the status line
    // belongs to a running recording.
    new HotkeyPageNotice(
        *hotkeys_, hotkey_->ListViewHotkey, hotkey_->LabelHotkeyNote,
        [this](const QString& text) {
            if (!session_->isRecording() && !session_->isArmed())
                statusLabel()->setText(text);
        },
        ProgramCommand(), this);

    hotkeyEditor_ = std::make_unique<HotkeyEditor>(
        HotkeyEditorWidgets{hotkey_->ListViewHotkey, hotkey_->CheckCtrl, hotkey_->CheckAlt,
                            hotkey_->CheckShift, hotkey_->ComboKey, hotkey_->Option1},
        [this](const QString& text, const QString& title) {
            showMessage(QMessageBox::Critical, title, text);
        });
    connect(hotkey_->CmdChange, &QPushButton::clicked, this, [this] {
        if (hotkeyEditor_->CmdChange_Click())
            hotkeys_->rowsChanged();
    });
}

void FormMain::setMessageHandler(MessageHandler handler) {
    messageHandler_ = std::move(handler);
}

void FormMain::showMessage(QMessageBox::Icon icon, const QString& title, const QString& text) {
    if (messageHandler_) {
        messageHandler_(icon, title, text);
        return;
    }
    // While the program ends (a close, a signal, the session's end) nobody
    // may be there to answer a box, and a modal one would keep the program
    // from ending: the message goes to the error output instead.
    if (shutDown_) {
        qWarning("%s: %s", qPrintable(title), qPrintable(text));
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, this);
    box.exec();
}

void FormMain::OpenManual() {
    ShowHelp(appFolder_, this);
}

void FormMain::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenManual();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void FormMain::closeEvent(QCloseEvent* event) {
    Shutdown();
    event->accept();
}

} // namespace quillotap
