// The hotkey poller: every tick it samples the modifiers, walks the seven
// hotkey rows in order and runs the action of the first row whose rule
// accepts; after an action it switches itself off for a 200 ms pause, so a
// held hotkey repeats about five times a second.
//
// Two timers drive it, as on the main window: TimerHotkey (the poll) and
// TimerDelay (the pause). With Clock::Manual the timers never run and a test
// drives the poller with tick() and pauseElapsed() instead of real time.
//
// When the keyboard offers a wake-up descriptor, the poll timer only runs
// while some key is held: once a tick finds every key up and no key event
// pending, the poller sleeps until the descriptor wakes it, then polls at
// once and keeps ticking for as long as a key stays down.
#pragma once

#include "hotkeys/HotkeyMatcher.h"

#include <QObject>
#include <QTimer>
#include <memory>

class QSocketNotifier;

namespace quillotap {

class HotkeyActions;
class HotkeyRows;
class KeyboardState;

class HotkeyPoller : public QObject {
    Q_OBJECT
public:
    enum class Clock { Timers, Manual };

    // Poll interval while a key is held. Combinations are matched against
    // the keyboard's snapshot, and a held hotkey repeats by being polled
    // again after each pause, so the interval must stay well below the
    // shortest deliberate key press (a quick tap holds a key for 50 ms or
    // more) and small beside the 200 ms repeat pause: 20 ms samples a tap at
    // least twice and adds at most 20 ms to each repeat. A keyboard that
    // wakes the poller when a key goes down costs nothing while no key is
    // held and is read at once on a press; a keyboard without that is polled
    // at this interval all the time, one query (an X round trip) per tick.
    static constexpr int kTickIntervalMs = 20;
    static constexpr int kPauseMs = 200;
    static constexpr int kRowCount = 7;

    HotkeyPoller(KeyboardState& keyboard, const HotkeyRows& rows, HotkeyActions& actions,
                 Clock clock = Clock::Timers, QObject* parent = nullptr);
    ~HotkeyPoller() override;

    // Arms the poller at start-up: polling on, pause off.
    void start();
    // Around modal dialogs: no hotkey acts while suspended, and a repeat
    // pause that ends meanwhile leaves the poll off. Resuming turns the poll
    // on at once, even during a pause.
    void SuspendHotkeys();
    void ResumeHotkeys();

    // TimerHotkey enabled: hotkeys act, though the timer may be asleep.
    bool isPolling() const { return polling_; }
    // Polling, but asleep until the keyboard reports a key going down or up.
    bool isWaitingForKeys() const { return polling_ && waker_ && !timerHotkey_.isActive(); }
    bool isPausing() const { return pausing_; } // TimerDelay enabled
    // Between SuspendHotkeys and ResumeHotkeys (a modal dialog is open).
    bool isSuspended() const { return suspended_; }
    const ModifierFlags& modifiers() const { return modifiers_; }

    // A TimerHotkey tick: nothing while the poll is off. Returns the row
    // that acted, 0 when none did.
    int tick();
    // A TimerDelay tick (the pause is over): nothing unless the pause runs.
    void pauseElapsed();

private:
    int TimerHotkey_Timer();
    void TimerDelay_Timer();
    // Runs the row's rule; false when the row declines.
    bool applyRow(int row);
    void setPolling(bool on);
    void setPausing(bool on);
    // The keyboard's descriptor woke up: read the keyboard at once.
    void keysChanged();
    // After a completed tick: sleep when nothing is held or pending.
    void sleepIfIdle();

    KeyboardState& keyboard_;
    const HotkeyRows& rows_;
    HotkeyActions& actions_;
    const Clock clock_;
    QTimer timerHotkey_;
    QTimer timerDelay_;
    std::unique_ptr<QSocketNotifier> waker_; // null: the keyboard is polled
    bool polling_ = false;
    bool pausing_ = false;
    bool suspended_ = false;
    bool inTick_ = false;
    ModifierFlags modifiers_;
};

} // namespace quillotap
