#include "hotkeys/HotkeyPoller.h"

#include "hotkeys/HotkeyActions.h"
#include "hotkeys/HotkeyRows.h"
#include "hotkeys/KeyboardState.h"

#include <QSocketNotifier>

namespace quillotap {

namespace {

const QString kEnabled = QStringLiteral("Enabled");

} // namespace

HotkeyPoller::HotkeyPoller(KeyboardState& keyboard, const HotkeyRows& rows, HotkeyActions& actions,
                           Clock clock, QObject* parent)
    : QObject(parent), keyboard_(keyboard), rows_(rows), actions_(actions), clock_(clock) {
    timerHotkey_.setInterval(kTickIntervalMs);
    timerHotkey_.setTimerType(Qt::CoarseTimer);
    timerDelay_.setInterval(kPauseMs);
    connect(&timerHotkey_, &QTimer::timeout, this, [this] { TimerHotkey_Timer(); });
    connect(&timerDelay_, &QTimer::timeout, this, [this] { TimerDelay_Timer(); });
    const int wakeDescriptor = keyboard_.wakeDescriptor();
    if (clock_ == Clock::Timers && wakeDescriptor >= 0) {
        waker_ = std::make_unique<QSocketNotifier>(wakeDescriptor, QSocketNotifier::Read);
        waker_->setEnabled(false);
        connect(waker_.get(), &QSocketNotifier::activated, this, [this] { keysChanged(); });
    }
}

HotkeyPoller::~HotkeyPoller() = default;

void HotkeyPoller::setPolling(bool on) {
    polling_ = on;
    if (clock_ == Clock::Manual)
        return;
    // Turning the poll on always polls once: a key held through a pause or
    // a dialog keeps the timer running from there.
    if (on && !timerHotkey_.isActive())
        timerHotkey_.start();
    else if (!on)
        timerHotkey_.stop();
    if (waker_)
        waker_->setEnabled(on);
}

void HotkeyPoller::setPausing(bool on) {
    pausing_ = on;
    if (clock_ == Clock::Manual)
        return;
    if (on && !timerDelay_.isActive())
        timerDelay_.start();
    else if (!on)
        timerDelay_.stop();
}

void HotkeyPoller::start() {
    setPausing(false);
    setPolling(!suspended_);
}

void HotkeyPoller::SuspendHotkeys() {
    suspended_ = true;
    setPolling(false);
}

void HotkeyPoller::ResumeHotkeys() {
    suspended_ = false;
    setPolling(true);
}

int HotkeyPoller::tick() {
    return polling_ ? TimerHotkey_Timer() : 0;
}

void HotkeyPoller::pauseElapsed() {
    if (pausing_)
        TimerDelay_Timer();
}

int HotkeyPoller::TimerHotkey_Timer() {
    // An action that runs a nested event loop (a message box) must not let
    // the poll fire the same hotkey again before the action has returned.
    if (inTick_)
        return 0;
    inTick_ = true;
    keyboard_.refresh();
    modifiers_ = SampleModifiers(keyboard_);
    int acted = 0;
    HotkeyRow row;
    for (int n = 1; n <= kRowCount && acted == 0; ++n) {
        if (!rows_.readRow(n, &row))
            continue;
        if (row.status != kEnabled || !IsHotkeyPressed(row.code, modifiers_, keyboard_))
            continue;
        bool accepted = true;
        try {
            accepted = applyRow(n);
        } catch (...) {
            // An action that fails part-way still counts as having acted.
        }
        if (accepted)
            acted = n;
    }
    inTick_ = false;
    if (acted != 0) {
        setPolling(false);
        setPausing(true);
    } else {
        sleepIfIdle();
    }
    return acted;
}

void HotkeyPoller::keysChanged() {
    keyboard_.takeKeyEvents();
    if (!polling_)
        return;
    // The timer runs until a completed tick finds every key up, also when
    // this tick is skipped because an action is still running.
    if (!timerHotkey_.isActive())
        timerHotkey_.start();
    TimerHotkey_Timer();
}

void HotkeyPoller::sleepIfIdle() {
    if (!waker_ || !polling_ || !timerHotkey_.isActive())
        return;
    // A key event read after the snapshot (the snapshot's round trip can
    // pull events off the descriptor, which then never wakes up for them)
    // may have pressed a key the snapshot missed: poll once more.
    const bool keysMoved = keyboard_.takeKeyEvents();
    if (!keysMoved && !keyboard_.anyKeyDown())
        timerHotkey_.stop();
}

void HotkeyPoller::TimerDelay_Timer() {
    // A dialog opened during the pause keeps the poll off until it closes.
    if (!suspended_)
        setPolling(true);
    setPausing(false);
}

bool HotkeyPoller::applyRow(int row) {
    switch (row) {
    case 1: // start recording; the cue ends before capture begins
        if (actions_.isRecordingActive())
            return false;
        actions_.playStartCue();
        actions_.showRecorderPage();
        actions_.record();
        if (actions_.isIconMode())
            actions_.setTrayRecording();
        return true;
    case 2: // stop recording; the cue plays once capture has ended
        if (!actions_.isRecordingActive())
            return false;
        actions_.stop();
        actions_.playStopCue();
        return true;
    case 3:
        actions_.soundVolumeUp();
        return true;
    case 4:
        actions_.soundVolumeDown();
        return true;
    case 5:
        actions_.toggleMute();
        return true;
    case 6: // stop whatever runs, then play the last recording
        if (actions_.isPlayerActive())
            actions_.stopPlayback();
        actions_.stop();
        actions_.playNow();
        return true;
    case 7:
        if (actions_.isWindowVisible())
            actions_.enterIconMode();
        else
            actions_.leaveIconMode();
        return true;
    default:
        return false;
    }
}

} // namespace quillotap
