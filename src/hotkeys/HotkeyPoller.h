// The hotkey poller: every tick it samples the modifiers, walks the seven
// hotkey rows in order and runs the action of the first row whose rule
// accepts; after an action it switches itself off for a 200 ms pause, so a
// held hotkey repeats about five times a second.
//
// Two timers drive it, as on the main window: TimerHotkey (the poll) and
// TimerDelay (the pause). With Clock::Manual the timers never run and a test
// drives the poller with tick() and pauseElapsed() instead of real time.
#pragma once

#include "hotkeys/HotkeyMatcher.h"

#include <QObject>
#include <QTimer>

namespace quillotap {

class HotkeyActions;
class HotkeyRows;
class KeyboardState;

class HotkeyPoller : public QObject {
    Q_OBJECT
public:
    enum class Clock { Timers, Manual };

    // Poll interval. The keyboard is polled rather than told about presses,
    // so the interval must stay well below the shortest deliberate key press
    // (a quick tap holds a key for 50 ms or more) and small beside the 200 ms
    // repeat pause. 20 ms samples a tap at least twice and adds at most 20 ms
    // to each repeat, at the cost of one keyboard query (one X round trip) per
    // tick; polling faster costs idle CPU for nothing a user can notice.
    static constexpr int kTickIntervalMs = 20;
    static constexpr int kPauseMs = 200;
    static constexpr int kRowCount = 7;

    HotkeyPoller(KeyboardState& keyboard, const HotkeyRows& rows, HotkeyActions& actions,
                 Clock clock = Clock::Timers, QObject* parent = nullptr);

    // Arms the poller at start-up: polling on, pause off.
    void start();
    // Around modal dialogs: no hotkey acts while suspended. Resuming turns
    // the poll on at once, even during a pause.
    void SuspendHotkeys();
    void ResumeHotkeys();

    bool isPolling() const { return polling_; } // TimerHotkey enabled
    bool isPausing() const { return pausing_; } // TimerDelay enabled
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

    KeyboardState& keyboard_;
    const HotkeyRows& rows_;
    HotkeyActions& actions_;
    const Clock clock_;
    QTimer timerHotkey_;
    QTimer timerDelay_;
    bool polling_ = false;
    bool pausing_ = false;
    bool inTick_ = false;
    ModifierFlags modifiers_;
};

} // namespace quillotap
