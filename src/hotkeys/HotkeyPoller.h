// The hotkey source of an X11 session: it reads the keyboard state
// (KeyboardState), compares it with the seven hotkey rows and reports a row
// pressed when its combination becomes held and released when it no longer
// is. The modifiers are sampled once per poll, so every row tested in one
// poll sees the same modifier state; a row counts only while its "Status"
// reads exactly "Enabled". The rows are read at every poll, so an edit in the
// table counts at the next one.
//
// The poll runs every 20 ms. When the keyboard offers a wake-up descriptor,
// the poll timer only runs while some key is held: once a poll finds every
// key up and no key event pending, the poller sleeps until the descriptor
// wakes it, then polls at once and keeps polling for as long as a key stays
// down. With HotkeyClock::Manual the timers never run and a test drives the
// poller with tick().
//
// While suspended the keyboard is not read at all; the rows held until then
// are reported released, and the keys are read afresh when the suspension
// ends.
#pragma once

#include "hotkeys/HotkeyMatcher.h"
#include "hotkeys/HotkeySource.h"

#include <QTimer>
#include <array>
#include <memory>

class QSocketNotifier;

namespace quillotap {

class HotkeyRows;
class KeyboardState;

class HotkeyPoller : public HotkeySource {
    Q_OBJECT
public:
    using Clock = HotkeyClock;

    // Poll interval while a key is held. Combinations are matched against
    // the keyboard's snapshot, so the interval must stay well below the
    // shortest deliberate key press (a quick tap holds a key for 50 ms or
    // more) and small beside the 200 ms repeat pause of the volume rows:
    // 20 ms samples a tap at least twice. A keyboard that wakes the poller
    // when a key goes down costs nothing while no key is held and is read at
    // once on a press; a keyboard without that is polled at this interval
    // all the time, one query (an X round trip) per tick.
    static constexpr int kTickIntervalMs = 20;
    static constexpr int kRowCount = 7;

    // `systemWide` is false where the keyboard only sees keys typed into the
    // program's own windows (an X11 client in a Wayland session); presses
    // are still reported, but the reach is Local.
    HotkeyPoller(KeyboardState& keyboard, const HotkeyRows& rows, Clock clock = Clock::Timers,
                 bool systemWide = true, QObject* parent = nullptr);
    ~HotkeyPoller() override;

    // Arms the poller at start-up.
    void start() override;
    void setSuspended(bool suspended) override;
    HotkeyReach reach() const override;

    // The keyboard is being read (armed and not suspended), though the timer
    // may be asleep.
    bool isPolling() const { return polling_; }
    // Polling, but asleep until the keyboard reports a key going down or up.
    bool isWaitingForKeys() const { return polling_ && waker_ && !timer_.isActive(); }
    const ModifierFlags& modifiers() const { return modifiers_; }
    // Whether the poller reports the row held.
    bool isHeld(int row) const;

    // One poll: nothing while the poller is not polling.
    void tick();

private:
    void poll();
    void setPolling(bool on);
    // The keyboard's descriptor woke up: read the keyboard at once.
    void keysChanged();
    // After a completed poll: sleep when nothing is held or pending.
    void sleepIfIdle();
    void releaseAll();

    KeyboardState& keyboard_;
    const HotkeyRows& rows_;
    const Clock clock_;
    const bool systemWide_;
    QTimer timer_;
    std::unique_ptr<QSocketNotifier> waker_; // null: the keyboard is polled
    bool started_ = false;
    bool suspended_ = false;
    bool polling_ = false;
    bool inPoll_ = false;
    ModifierFlags modifiers_;
    std::array<bool, kRowCount + 1> held_{}; // by row number; index 0 unused
};

} // namespace quillotap
