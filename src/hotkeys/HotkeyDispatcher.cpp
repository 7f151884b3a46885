#include "hotkeys/HotkeyDispatcher.h"

#include "hotkeys/HotkeyRules.h"

namespace quillotap {

namespace {

bool validRow(int row) {
    return row >= 1 && row <= HotkeyDispatcher::kRowCount;
}

} // namespace

HotkeyDispatcher::HotkeyDispatcher(HotkeyActions& actions, HotkeyClock clock, QObject* parent)
    : QObject(parent), actions_(actions), clock_(clock) {
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, [this] { endPause(); });
    resumed_.setSingleShot(true);
    resumed_.setInterval(0);
    connect(&resumed_, &QTimer::timeout, this, [this] { runPending(); });
}

void HotkeyDispatcher::press(int row) {
    if (!validRow(row))
        return;
    // A press of a row already held counts as a new press: a desktop that
    // never reports the release must not leave the row dead.
    held_[std::size_t(row)] = true;
    actedWhileHeld_[std::size_t(row)] = false;
    // A quick press that falls into the pause (or into an action that is
    // still running) is kept for the pause's end, even when the keys are let
    // go before.
    if ((pausing_ || acting_) && !suspended_)
        tapped_[std::size_t(row)] = true;
    tryHeldRows();
}

void HotkeyDispatcher::release(int row) {
    if (!validRow(row))
        return;
    held_[std::size_t(row)] = false;
    actedWhileHeld_[std::size_t(row)] = false;
}

void HotkeyDispatcher::releaseAll() {
    held_.fill(false);
    actedWhileHeld_.fill(false);
    tapped_.fill(false);
}

bool HotkeyDispatcher::isHeld(int row) const {
    return validRow(row) && held_[std::size_t(row)];
}

bool HotkeyDispatcher::trigger(int row) {
    if (suspended_ || acting_ || !validRow(row))
        return false;
    acting_ = true;
    const bool accepted = RunHotkeyRow(actions_, row);
    acting_ = false;
    if (accepted)
        emit acted(row);
    return accepted;
}

void HotkeyDispatcher::tryHeldRows() {
    // An action that runs a nested event loop (a cue, a message box) must
    // not let a press that arrives meanwhile act before it has returned; the
    // pause that follows it ends with another try.
    if (suspended_ || pausing_ || acting_)
        return;
    pending_ = false;
    int actedRow = 0;
    acting_ = true;
    for (int row = 1; row <= kRowCount && actedRow == 0; ++row) {
        const auto n = std::size_t(row);
        const bool tapped = std::exchange(tapped_[n], false);
        if (!(held_[n] || tapped) || (actedWhileHeld_[n] && !RepeatsWhileHeld(row)))
            continue;
        if (RunHotkeyRow(actions_, row)) {
            actedRow = row;
            // A release that came during the action has already cleared it.
            actedWhileHeld_[n] = held_[n];
        }
    }
    acting_ = false;
    if (actedRow == 0)
        return;
    pausing_ = true;
    if (clock_ == HotkeyClock::Timers)
        pause_.start();
    emit acted(actedRow);
}

void HotkeyDispatcher::endPause() {
    pausing_ = false;
    pause_.stop();
    tryHeldRows();
}

void HotkeyDispatcher::pauseElapsed() {
    if (pausing_)
        endPause();
}

void HotkeyDispatcher::SuspendHotkeys() {
    suspended_ = true;
    pending_ = false;
    // Only keys still held when the dialog closes act then.
    tapped_.fill(false);
    resumed_.stop();
}

void HotkeyDispatcher::ResumeHotkeys() {
    suspended_ = false;
    pausing_ = false;
    pause_.stop();
    // The caller may still be closing its dialog; the held rows are tried
    // once it has returned to the event loop.
    pending_ = true;
    if (clock_ == HotkeyClock::Timers)
        resumed_.start();
}

void HotkeyDispatcher::runPending() {
    if (pending_)
        tryHeldRows();
}

} // namespace quillotap
