// The main window: the page menu at the left, the about button, the status
// line and the five pages (recorder, files, hotkeys, icon mode, options) on
// one spot. It builds the subsystems, each of which owns its state (the
// recording session its recorder and writer, playback its player, the
// recordings list its folder...), and connects them; the behaviour of each
// page lives in its subsystem, which reaches the page's controls through the
// ui objects below (include the matching "ui_Page*.h" in a source file of
// the core library) or, from anywhere, through control<T>("ObjectName").
#pragma once

#include "formats/FormatOptions.h"
#include "hotkeys/Hotkeys.h"
#include "hotkeys/KeyboardState.h"
#include "recording/CueSounds.h"
#include "recording/RecordingSession.h"
#include "widgets/ReportView.h"

#include <QDBusConnection>
#include <QMessageBox>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class FormMain;
class PageRecorder;
class PageFiles;
class PageHotkey;
class PageIconMode;
class PageOptions;
} // namespace Ui

namespace quillotap {

class FormatLine;
class HotkeyEditor;
class InputSelection;
class MainHotkeyActions;
class MainRecordingView;
class OptionBoxes;
class OutputFolderChooser;
class PageMenu;
class PageMenuHandlers;
class PictureButton;
class RecordingMonitor;
class SliderHandlers;
class StartOptionBoxes;
class TreeWidgetHotkeyRows;
class RecordingsList;
class FileCommands;
class Playback;
class IconMode;
class TrayIcon;
class PresetMenus;
class SettingsFailureReporter;

// What the main window takes from outside rather than building itself. The
// defaults are the real ones; tests put in a scripted keyboard, hotkeys they
// tick by hand, a hotkey source and the bus of a test portal, cues that take
// no time and a fixed clock for file names.
struct FormMainServices {
    // none: the desktop's keyboard; one given here without a session type
    // is taken for a system-wide keyboard and used, unless hotkeySource
    // says otherwise
    std::unique_ptr<KeyboardState> keyboard;
    HotkeyClock hotkeyClock = HotkeyClock::Timers;
    // Auto: QUILLOTAP_HOTKEYS and the desktop session decide
    HotkeySourceKind hotkeySource = HotkeySourceKind::Auto;
    std::optional<bool> waylandSession;       // none: from the environment
    std::optional<QDBusConnection> hotkeyBus; // none: the desktop session bus
    CueSounds::Wait cueWait;                  // none: real time passes
    RecordingSession::Clock recordingClock;   // none: the local time
    // none: the desktop's notification area
    std::function<std::unique_ptr<TrayIcon>()> trayFactory;
};

class FormMain : public QWidget {
    Q_OBJECT
public:
    // Page indexes, in the order of the page menu.
    enum Page : int { RecorderPage = 0, FilesPage, HotkeyPage, IconModePage, OptionsPage };
    static constexpr int PageCount = 5;
    // Menu buttons 0..4 show the pages, button 5 is Help.
    static constexpr int MenuButtonCount = 6;

    // Window geometry is given in twips; 15 twips make one pixel. Rounds to
    // the nearest pixel (7150 twips are 477 pixels).
    static constexpr int Twips(int twips) { return TwipsToPixels(twips); }
    // The rectangle the five pages share.
    static QRect PageRect();
    // Menu button i (0..5).
    static QRect MenuButtonRect(int index);

    explicit FormMain(QWidget* parent = nullptr);
    explicit FormMain(FormMainServices services, QWidget* parent = nullptr);
    ~FormMain() override;

    // The program's folder (ending in "/"): the manual and the cue sounds.
    const QString& appFolder() const { return appFolder_; }
    // Every output format's settings.
    FormatOptions& formatOptions() { return formats_; }

    // Generated ui objects of the frame and of each page; their members are
    // the controls, named as in the forms (ui.ComboFormat, ui.CmdRecord...).
    Ui::FormMain& frameUi() const { return *frame_; }
    Ui::PageRecorder& recorderUi() const { return *recorder_; }
    Ui::PageFiles& filesUi() const { return *files_; }
    Ui::PageHotkey& hotkeyUi() const { return *hotkey_; }
    Ui::PageIconMode& iconModeUi() const { return *iconMode_; }
    Ui::PageOptions& optionsUi() const { return *options_; }

    // The stacked widget PicFrame and its pages PicFrame0..PicFrame4.
    QStackedWidget* pageStack() const;
    QWidget* page(int index) const;
    // PicMenu0..PicMenu5, PicAbout, LabelStatus.
    PictureButton* menuButton(int index) const;
    PictureButton* aboutButton() const;
    QLabel* statusLabel() const;

    // Any control of the window by object name, for code that does not see
    // the generated ui headers (tests, helpers in other targets).
    template <class T> T* control(const QString& objectName) const {
        return findChild<T*>(objectName);
    }

    // ---- start-up and shut-down ----

    // Shows a message box; tests replace it to see the messages instead.
    using MessageHandler =
        std::function<void(QMessageBox::Icon icon, const QString& title, const QString& text)>;
    void setMessageHandler(MessageHandler handler);

    // The load sequence, run once after the audio objects exist: settings,
    // sound device, hotkey table, preview, first page, format line and the
    // command line (`arguments` as QCoreApplication::arguments() gives
    // them). Returns false when the program must end at once (the sound
    // device has no source); nothing is saved then.
    bool StartUp(const QStringList& arguments);
    bool endedEarly() const { return endedEarly_; }

    void LoadSettings();
    void SaveSettings();
    // Runs the shut-down sequence (stop, end playback, save) once, however
    // often the window is closed or the session ends. A window whose
    // start-up did not complete saves nothing.
    void Shutdown();
    bool isShutDown() const { return shutDown_; }

    // ---- the window's subsystems ----
    PageMenu& pageMenu() const { return *pageMenu_; }
    InputSelection& inputSelection() const { return *input_; }
    OutputFolderChooser& folderChooser() const { return *folderChooser_; }
    SliderHandlers& sliderHandlers() const { return *sliders_; }
    OptionBoxes& optionBoxes() const { return *optionBoxes_; }
    StartOptionBoxes& startOptionBoxes() const { return *startOptions_; }
    RecordingSession& recordingSession() const { return *session_; }
    RecordingMonitor& recordingMonitor() const { return *monitor_; }
    Hotkeys& hotkeys() const { return *hotkeys_; }
    CueSounds& cueSounds() const { return *cues_; }
    FormatLine& formatLine() const { return *formatLine_; }
    Playback& playback() const { return *playback_; }
    RecordingsList& recordingsList() const { return *recordingsList_; }
    PresetMenus& presetMenus() const { return *presetMenus_; }
    PageMenuHandlers& pageMenuHandlers() const { return *pageMenuHandlers_; }
    IconMode& iconMode() const { return *iconModeController_; }

    // ---- operations shared between the subsystems ----
    // The recording stop routine; safe in every state. Ends the preview.
    void StopRecording();
    // Ends playback; safe in every state.
    void StopPlayback();
    // The player's Stop button.
    void onStopPlayClicked();
    // The recorder page's "Play" button: plays the last recording.
    void onPlayNowClicked();
    // Moves playback to the position slider's value and ends its drag.
    void SeekPlayback();
    // Re-reads the recordings list from the output folder when it is stale.
    void BuildRecordingsList();
    // Switch the hotkeys off and on around modal dialogs.
    void SuspendHotkeys();
    void ResumeHotkeys();
    // Icon mode as the icon-mode button enters it.
    void EnterIconMode();
    bool iconModeRequested() const { return iconModeRequested_; }
    // The window is in icon mode (the icon, or the minimised window standing
    // in for it).
    bool isInIconMode() const;
    // Leaves icon mode: the window is shown again and comes to the front.
    void LeaveIconMode();
    // Opens the user manual from the program folder.
    void OpenManual();

    // ---- recordings (files page) ----
    // The item Play, Delete, Properties, ID3 Tag and Convert act on: the
    // selected item, else the first; null when the list is empty.
    QTreeWidgetItem* CurrentRecording() const;
    // Deletes the current recording after asking, then rebuilds the list.
    void DeleteRecording();
    // Opens the file and starts playing it; fails silently.
    void PlayFile(const QString& path);
    // The files page's "Play": plays the current recording.
    void onPlayClicked();
    // Pauses or continues playback; nothing while stopped.
    void TogglePause();

    // ---- icon mode ----
    // The icon-mode button: minimises, then enters icon mode.
    void onIconModeClicked();
    // In icon mode, sets the notification icon and its tip to the recording
    // (true) or the ready (false) picture; nothing outside icon mode.
    void ShowIconRecording(bool recording);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setUpFrame();
    void setUpPages();
    void setUpListViews();
    void setUpPictures();
    void setUpEngines();
    void setUpSubsystems();
    void setUpRecording();
    void setUpHotkeys();
    // Each defined beside the handlers of its page or feature
    // (FormMainFiles.cpp, FormMainPlayback.cpp, FormMainFileTools.cpp,
    // FormMainIconMode.cpp, FormMainPresets.cpp).
    void setUpRecordingsList();
    void setUpPlayback();
    void setUpIconMode();
    void setUpPresets();
    // Applies the stored visualization presets to the two panes.
    void ApplyStoredPresets();
    void showMessage(QMessageBox::Icon icon, const QString& title, const QString& text);
    // "Launch at startup": writes or removes the login entry; one that
    // cannot be written or removed puts the box back and tells why.
    void onLaunchAtStartupToggled(bool ticked);

    void InitOutputFolder();
    bool InitSoundDevice();
    void LayoutPages();
    void LoadMenuPictures();
    void LoadFormatSettings();
    void ArmHotkeyTimers();
    void LoadHotkeyTable();
    void SetPreviewFromSettings();

    QString appFolder_;
    FormatOptions formats_;
    std::unique_ptr<Ui::FormMain> frame_;
    std::unique_ptr<Ui::PageRecorder> recorder_;
    std::unique_ptr<Ui::PageFiles> files_;
    std::unique_ptr<Ui::PageHotkey> hotkey_;
    std::unique_ptr<Ui::PageIconMode> iconMode_;
    std::unique_ptr<Ui::PageOptions> options_;
    PageMenu* pageMenu_ = nullptr;
    PageMenuHandlers* pageMenuHandlers_ = nullptr;
    InputSelection* input_ = nullptr;
    SliderHandlers* sliders_ = nullptr;
    OptionBoxes* optionBoxes_ = nullptr;
    StartOptionBoxes* startOptions_ = nullptr;
    OutputFolderChooser* folderChooser_ = nullptr;
    FormMainServices services_;
    std::unique_ptr<MainRecordingView> recordingView_;
    std::unique_ptr<RecordingSession> session_;
    std::unique_ptr<RecordingMonitor> monitor_;
    std::unique_ptr<CueSounds> cues_;
    std::unique_ptr<TreeWidgetHotkeyRows> hotkeyRows_;
    std::unique_ptr<MainHotkeyActions> hotkeyActions_;
    std::unique_ptr<HotkeyEditor> hotkeyEditor_;
    // Last, so that it goes first: no hotkey acts while the window is torn down.
    std::unique_ptr<Hotkeys> hotkeys_;
    // Children of the window, created by the set-up functions above.
    RecordingsList* recordingsList_ = nullptr;
    FileCommands* fileCommands_ = nullptr;
    Playback* playback_ = nullptr;
    IconMode* iconModeController_ = nullptr;
    PresetMenus* presetMenus_ = nullptr;
    FormatLine* formatLine_ = nullptr;
    MessageHandler messageHandler_;
    // After messageHandler_, so that it goes first.
    std::unique_ptr<SettingsFailureReporter> settingsReporter_;
    bool started_ = false;
    bool endedEarly_ = false;
    bool shutDown_ = false;
    bool iconModeRequested_ = false;
};

} // namespace quillotap
