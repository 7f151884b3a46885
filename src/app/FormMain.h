// The main window and the program's composition root: it builds the frame
// from its forms and the subsystems, each of which owns its state (the
// recording session its recorder and writer, the files page its list and
// player, the hotkey page the hotkeys...), connects them and runs the load
// and unload sequences. The behaviour lives in the subsystems.
#pragma once

#include "app/MainFrame.h"
#include "app/MainHotkeyActions.h"
#include "files/FilesPage.h"
#include "formats/FormatOptions.h"
#include "hotkeys/HotkeyPage.h"
#include "hotkeys/Hotkeys.h"
#include "hotkeys/KeyboardState.h"
#include "recording/CueSounds.h"
#include "recording/RecorderPage.h"
#include "recording/RecordingSession.h"
#include "ui/IconMode.h"
#include "ui/WindowMessages.h"

#include <QDBusConnection>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace quillotap {

class InputSelection;
class LaunchAtStartupBox;
class MainRecordingView;
class OptionBoxes;
class OutputFolderChooser;
class PageMenu;
class PageMenuHandlers;
class PresetMenus;
class RecordingMonitor;
class RecordingsList;
class SettingsFailureReporter;
class SliderHandlers;
class TrayIcon;

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
    explicit FormMain(QWidget* parent = nullptr);
    explicit FormMain(FormMainServices services, QWidget* parent = nullptr);
    ~FormMain() override;

    // The program's folder (ending in "/"): the manual and the cue sounds.
    const QString& appFolder() const { return appFolder_; }
    // Every output format's settings.
    FormatOptions& formatOptions() { return formats_; }

    // The frame: the page menu, the pages, the status line.
    MainFrame& frame() const { return *frame_; }
    // Any control of the window by object name, for code that does not see
    // the generated ui headers (tests, helpers in other targets).
    template <class T> T* control(const QString& objectName) const {
        return findChild<T*>(objectName);
    }

    // ---- start-up and shut-down ----

    // Shows a message box; tests replace it to see the messages instead.
    using MessageHandler = WindowMessages::Handler;
    void setMessageHandler(MessageHandler handler) { messages_.setHandler(std::move(handler)); }

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
    PageMenuHandlers& pageMenuHandlers() const { return *pageMenuHandlers_; }
    InputSelection& inputSelection() const { return *input_; }
    OutputFolderChooser& folderChooser() const { return *folderChooser_; }
    SliderHandlers& sliderHandlers() const { return *sliders_; }
    OptionBoxes& optionBoxes() const { return *optionBoxes_; }
    RecorderPage& recorderPage() const { return *recorderPage_; }
    StartOptionBoxes& startOptionBoxes() const { return recorderPage_->startOptions(); }
    RecordingSession& recordingSession() const { return *session_; }
    RecordingMonitor& recordingMonitor() const { return recorderPage_->monitor(); }
    CueSounds& cueSounds() const { return *cues_; }
    FormatLine& formatLine() const { return recorderPage_->formatLine(); }
    FilesPage& filesPage() const { return *filesPage_; }
    Playback& playback() const { return filesPage_->playback(); }
    RecordingsList& recordingsList() const { return filesPage_->list(); }
    PresetMenus& presetMenus() const { return *presetMenus_; }
    IconMode& iconMode() const { return *iconMode_; }
    Hotkeys& hotkeys() const { return hotkeyPage_->hotkeys(); }
    // What the hotkeys and the remote commands do.
    HotkeyActions& hotkeyActions() const { return *hotkeyActions_; }
    bool isInIconMode() const { return iconMode_->isActive(); }

    // The recorder page's "Play": shows the files page and plays the last
    // recording.
    void onPlayNowClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setUpIconMode();
    void setUpEngines();
    void setUpPages();
    void setUpRecording();
    void setUpHotkeys();
    bool InitSoundDevice();
    void ApplyStoredPresets();

    QString appFolder_;
    FormatOptions formats_;
    FormMainServices services_;
    std::unique_ptr<MainFrame> frame_;
    PageMenu* pageMenu_ = nullptr;
    PageMenuHandlers* pageMenuHandlers_ = nullptr;
    IconMode* iconMode_ = nullptr;
    InputSelection* input_ = nullptr;
    SliderHandlers* sliders_ = nullptr;
    OptionBoxes* optionBoxes_ = nullptr;
    OutputFolderChooser* folderChooser_ = nullptr;
    LaunchAtStartupBox* launchAtStartup_ = nullptr;
    FilesPage* filesPage_ = nullptr;
    PresetMenus* presetMenus_ = nullptr;
    RecorderPage* recorderPage_ = nullptr;
    std::unique_ptr<MainRecordingView> recordingView_;
    std::unique_ptr<RecordingSession> session_;
    std::unique_ptr<CueSounds> cues_;
    std::unique_ptr<MainHotkeyActions> hotkeyActions_;
    // After the actions, so that it goes first: no hotkey acts while the
    // window is torn down.
    std::unique_ptr<HotkeyPage> hotkeyPage_;
    WindowMessages messages_;
    // After messages_, so that it goes first.
    std::unique_ptr<SettingsFailureReporter> settingsReporter_;
    bool started_ = false;
    bool endedEarly_ = false;
    bool shutDown_ = false;
};

} // namespace quillotap
