// The program's system-wide hotkeys: one source that notices presses of the
// hotkey rows, chosen for the desktop session, and the dispatcher that runs
// the rows (HotkeyDispatcher). The main window knows only this object.
//
// The source: QUILLOTAP_HOTKEYS=x11|portal|none picks one; otherwise a
// Wayland session (XDG_SESSION_TYPE=wayland or WAYLAND_DISPLAY set) uses the
// desktop's GlobalShortcuts portal when it offers one and falls back to the
// X11 keyboard when it does not, and any other session uses the X11
// keyboard. Whether the chosen source reaches keys pressed anywhere is its
// reach; where it does not, the user is told (HotkeyPageNotice).
#pragma once

#include "hotkeys/HotkeyDispatcher.h"
#include "hotkeys/HotkeySource.h"

#include <QDBusConnection>
#include <QObject>
#include <memory>
#include <optional>

namespace quillotap {

class HotkeyActions;
class HotkeyPoller;
class HotkeyRows;
class KeyboardState;

enum class HotkeySourceKind { Auto, X11, Portal, None };

// The kind QUILLOTAP_HOTKEYS names: "x11", "portal", "none"; Auto when it is
// unset, empty or names none of them.
HotkeySourceKind HotkeySourceFromEnvironment();
// Whether the desktop session is a Wayland one.
bool IsWaylandSession();

struct HotkeyChoice {
    HotkeySourceKind kind = HotkeySourceKind::X11;
    // Use the X11 keyboard when the portal turns out to be missing.
    bool fallBackToX11 = false;
};
// Resolves Auto for a session: the portal on Wayland (falling back to X11),
// otherwise X11. Any other kind stands as it is, without a fallback.
HotkeyChoice ChooseHotkeySource(HotkeySourceKind requested, bool waylandSession);

struct HotkeySetup {
    // Auto: QUILLOTAP_HOTKEYS, then the session type decide; but a keyboard
    // given below without a session type is taken for a system-wide one
    // and used.
    HotkeySourceKind source = HotkeySourceKind::Auto;
    std::optional<bool> waylandSession;      // none: from the environment
    std::unique_ptr<KeyboardState> keyboard; // none: the X display's keyboard
    std::optional<QDBusConnection> bus;      // none: the desktop session bus
    HotkeyClock clock = HotkeyClock::Timers; // Manual: see tick(), pauseElapsed()
};

class Hotkeys : public QObject {
    Q_OBJECT
public:
    Hotkeys(HotkeyActions& actions, const HotkeyRows& rows, HotkeySetup setup,
            QObject* parent = nullptr);
    ~Hotkeys() override;

    // Arms the hotkeys (the end of the settings load).
    void start();
    // Around modal dialogs: no row acts while suspended.
    void SuspendHotkeys();
    void ResumeHotkeys();
    // The hotkey table was edited.
    void rowsChanged();
    // Runs a row once on request, as a command sent to the program does:
    // false when suspended or when the row declined.
    bool trigger(int row);

    HotkeyReach reach() const;
    // The source in use (X11 after a fall-back from the portal).
    HotkeySourceKind sourceKind() const { return kind_; }
    // Armed and not suspended.
    bool isListening() const { return started_ && !dispatcher_.isSuspended(); }
    bool isPausing() const { return dispatcher_.isPausing(); }

    HotkeyDispatcher& dispatcher() { return dispatcher_; }
    HotkeySource* source() const { return source_.get(); }
    // The keyboard source, when it is the one in use.
    HotkeyPoller* poller() const;

    // With HotkeyClock::Manual: one poll of the keyboard source and the try
    // a resume left pending; the repeat pause running out. Each returns the
    // row that acted, 0 when none did.
    int tick();
    int pauseElapsed();

signals:
    void reachChanged(const quillotap::HotkeyReach& reach);
    void triggerAssigned(int row, const QString& description);

private:
    void useSource(std::unique_ptr<HotkeySource> source, HotkeySourceKind kind);
    std::unique_ptr<HotkeySource> makeKeyboardSource(bool systemWide);
    std::unique_ptr<HotkeySource> makePortalSource();
    void fallBackToX11();
    template <class Step> int actedDuring(Step step);

    const HotkeyRows& rows_;
    HotkeySetup setup_;
    HotkeyDispatcher dispatcher_;
    std::unique_ptr<KeyboardState> keyboard_;
    std::unique_ptr<HotkeySource> source_;
    HotkeySourceKind kind_ = HotkeySourceKind::None;
    bool waylandSession_ = false;
    bool fallBackToX11_ = false;
    QString fallBackReason_; // why the portal could not be used
    bool started_ = false;
    bool suspended_ = false;
};

} // namespace quillotap
