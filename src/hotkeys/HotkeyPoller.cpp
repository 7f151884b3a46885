#include "hotkeys/HotkeyPoller.h"

#include "hotkeys/HotkeyRows.h"
#include "hotkeys/HotkeyTexts.h"
#include "hotkeys/KeyboardState.h"

#include <QSocketNotifier>

namespace quillotap {

namespace {

const QString kEnabled = QStringLiteral("Enabled");

} // namespace

HotkeyPoller::HotkeyPoller(KeyboardState& keyboard, const HotkeyRows& rows, Clock clock,
                           bool systemWide, QObject* parent)
    : HotkeySource(parent), keyboard_(keyboard), rows_(rows), clock_(clock),
      systemWide_(systemWide) {
    timer_.setInterval(kTickIntervalMs);
    timer_.setTimerType(Qt::CoarseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
    const int wakeDescriptor = keyboard_.wakeDescriptor();
    if (clock_ == Clock::Timers && wakeDescriptor >= 0) {
        waker_ = std::make_unique<QSocketNotifier>(wakeDescriptor, QSocketNotifier::Read);
        waker_->setEnabled(false);
        connect(waker_.get(), &QSocketNotifier::activated, this, [this] { keysChanged(); });
    }
}

HotkeyPoller::~HotkeyPoller() = default;

HotkeyReach HotkeyPoller::reach() const {
    if (!keyboard_.available())
        return {HotkeyReach::Local, NoKeyboardReason()};
    if (!systemWide_)
        return {HotkeyReach::Local, OwnWindowOnlyReason()};
    return {HotkeyReach::Global, {}};
}

void HotkeyPoller::setPolling(bool on) {
    polling_ = on;
    if (clock_ == Clock::Manual)
        return;
    // Turning the poll on always polls once: a key held through a dialog
    // keeps the timer running from there.
    if (on && !timer_.isActive())
        timer_.start();
    else if (!on)
        timer_.stop();
    if (waker_)
        waker_->setEnabled(on);
}

void HotkeyPoller::start() {
    started_ = true;
    setPolling(!suspended_);
}

void HotkeyPoller::setSuspended(bool suspended) {
    suspended_ = suspended;
    setPolling(started_ && !suspended);
    // Nothing is read while suspended, so nothing can be vouched for as held.
    if (suspended)
        releaseAll();
}

bool HotkeyPoller::isHeld(int row) const {
    return row >= 1 && row <= kRowCount && held_[std::size_t(row)];
}

void HotkeyPoller::tick() {
    if (polling_)
        poll();
}

void HotkeyPoller::releaseAll() {
    for (int row = 1; row <= kRowCount; ++row) {
        if (std::exchange(held_[std::size_t(row)], false))
            emit released(row);
    }
}

void HotkeyPoller::poll() {
    // A row's action may run a nested event loop (a cue, a message box),
    // whose timers must not poll again before the action has returned.
    if (inPoll_)
        return;
    inPoll_ = true;
    keyboard_.refresh();
    modifiers_ = SampleModifiers(keyboard_);
    std::array<bool, kRowCount + 1> now{};
    HotkeyRow row;
    for (int n = 1; n <= kRowCount; ++n) {
        // The status is tested first; the code only for an enabled row.
        now[std::size_t(n)] = rows_.readRow(n, &row) && row.status == kEnabled &&
                              IsHotkeyPressed(row.code, modifiers_, keyboard_);
    }
    // Releases first, then presses in row order, so the lowest row that
    // accepts acts when several combinations go down together.
    for (int n = 1; n <= kRowCount; ++n) {
        if (held_[std::size_t(n)] && !now[std::size_t(n)]) {
            held_[std::size_t(n)] = false;
            emit released(n);
        }
    }
    for (int n = 1; n <= kRowCount && polling_; ++n) {
        if (!held_[std::size_t(n)] && now[std::size_t(n)]) {
            held_[std::size_t(n)] = true;
            emit pressed(n);
        }
    }
    inPoll_ = false;
    sleepIfIdle();
}

void HotkeyPoller::keysChanged() {
    keyboard_.takeKeyEvents();
    if (!polling_)
        return;
    // The timer runs until a completed poll finds every key up, also when
    // this poll is skipped because an action is still running.
    if (!timer_.isActive())
        timer_.start();
    poll();
}

void HotkeyPoller::sleepIfIdle() {
    if (!waker_ || !polling_ || !timer_.isActive())
        return;
    // A key event read after the snapshot (the snapshot's round trip can
    // pull events off the descriptor, which then never wakes up for them)
    // may have pressed a key the snapshot missed: poll once more.
    const bool keysMoved = keyboard_.takeKeyEvents();
    if (!keysMoved && !keyboard_.anyKeyDown())
        timer_.stop();
}

} // namespace quillotap
