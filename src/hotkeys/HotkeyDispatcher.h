// Runs the hotkey rows whose keys a source reports held. Every source feeds
// the same dispatcher, so all of them behave alike:
//
// - When keys go down, the held rows are tried in table order and the first
//   whose rule accepts acts (a row that declines, such as "Stop recording"
//   while idle, lets a later row with the same keys act).
// - After an action nothing acts for a 200 ms pause. When the pause ends with
//   rows still held, they are tried again: the volume rows step again, while
//   every other row acts only once per press. A row pressed during the pause
//   is tried when it ends, even if its keys were let go meanwhile.
// - While suspended (a modal dialog is open) nothing acts; presses are still
//   followed, so keys held when the dialog closes act then. A pause that ends
//   during a suspension does not end it.
#pragma once

#include "hotkeys/HotkeySource.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <utility>

namespace quillotap {

class HotkeyActions;

class HotkeyDispatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int kPauseMs = 200;
    static constexpr int kRowCount = 7;

    explicit HotkeyDispatcher(HotkeyActions& actions, HotkeyClock clock = HotkeyClock::Timers,
                              QObject* parent = nullptr);

    // Rows 1..7 going down and up; other numbers are ignored. Pressing a
    // row that is held already counts as a new press.
    void press(int row);
    void release(int row);
    void releaseAll();
    bool isHeld(int row) const;

    // A row asked for once, without keys (a command sent to the program):
    // it acts now unless suspended, whatever pause runs, and starts no
    // pause. Returns whether it acted.
    bool trigger(int row);

    void SuspendHotkeys();
    // Ends the suspension and any pause; rows still held are tried at once
    // (on the next pass of the event loop, or at runPending() by hand).
    void ResumeHotkeys();
    bool isSuspended() const { return suspended_; }
    bool isPausing() const { return pausing_; }

    // With HotkeyClock::Manual: the pause is over; the try that a resume
    // left for later.
    void pauseElapsed();
    void runPending();

signals:
    // A row's rule acted.
    void acted(int row);

private:
    // Tries the held rows in order; the first that accepts acts.
    void tryHeldRows();
    void endPause();

    HotkeyActions& actions_;
    const HotkeyClock clock_;
    QTimer pause_;
    QTimer resumed_;
    // Indexed by row number; index 0 unused.
    std::array<bool, kRowCount + 1> held_{};
    std::array<bool, kRowCount + 1> actedWhileHeld_{};
    std::array<bool, kRowCount + 1> tapped_{}; // pressed during the pause
    bool pausing_ = false;
    bool suspended_ = false;
    bool acting_ = false;
    bool pending_ = false;
};

} // namespace quillotap
