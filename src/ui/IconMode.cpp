#include "ui/IconMode.h"

#include "app/MainState.h"
#include "ui/TrayPictures.h"

#include <QWidget>

namespace quillotap {

const QString IconMode::ReadyTip = QStringLiteral("Quillotap - Ready to record");
const QString IconMode::RecordingTip = QStringLiteral("Quillotap - Recording");
const QString IconMode::BalloonTitle = QStringLiteral("Quillotap");
const QString IconMode::BalloonText =
    QStringLiteral("Left click to start/stop recording.\nRight click to exit icon mode");
const QString IconMode::NoTrayNotice =
    QStringLiteral("No notification area found: the window was minimized instead of hidden. "
                   "Restore it from the taskbar or with the icon-mode hotkey.");

IconMode::IconMode(MainState& state, QWidget& window, std::unique_ptr<TrayIcon> tray,
                   Operations operations, QObject* parent)
    : QObject(parent), state_(state), window_(window), tray_(std::move(tray)),
      operations_(std::move(operations)), readyIcon_(TrayIconPicture(TrayPicture::Ready)),
      recordingIcon_(TrayIconPicture(TrayPicture::Recording)) {
    tray_->onLeftClick([this] { TrayLeftClick(); });
    tray_->onRightClick([this] { TrayRightClick(); });
    timerIcon_.setObjectName(QStringLiteral("TimerIcon"));
    timerIcon_.setInterval(BlinkIntervalMs);
    connect(&timerIcon_, &QTimer::timeout, this, &IconMode::TimerIcon_Timer);
    timerIcon_.start();
}

IconMode::~IconMode() {
    // The icon must not outlive the window it stands for.
    tray_->hide();
}

void IconMode::EnterIconMode() {
    // Minimising the window below reports a state change, which may ask for
    // icon mode again while this call is still under way.
    if (entering_)
        return;
    entering_ = true;
    if (!tray_->isAvailable()) {
        standInForIcon();
    } else {
        standingIn_ = false;
        showPicture(state_.RecordingActive);
        tray_->show();
        window_.hide();
        state_.IconMode = true;
        if (!state_.BalloonShown) {
            ShowTrayBalloon(BalloonText, BalloonTitle);
            state_.BalloonShown = true;
        }
    }
    entering_ = false;
}

void IconMode::LeaveIconMode() {
    window_.showNormal();
    window_.raise();
    window_.activateWindow();
    window_.showNormal();
    tray_->hide();
    standingIn_ = false;
    state_.IconMode = false;
}

void IconMode::ShowTrayBalloon(const QString& text, const QString& title) {
    tray_->showMessage(title, text);
}

void IconMode::showRecording(bool recording) {
    if (!state_.IconMode)
        return;
    showPicture(recording && state_.RecordingActive);
}

void IconMode::TrayLeftClick() {
    if (!state_.IconMode)
        return;
    // The icon changes first, then the recording starts or stops; no cue
    // sound is played (cues belong to the hotkeys).
    if (state_.RecordingActive) {
        showPicture(false);
        if (operations_.stop)
            operations_.stop();
    } else {
        showPicture(true);
        if (operations_.record)
            operations_.record();
        // A start that failed (the user has been told why) must not leave
        // the icon saying that a recording runs.
        if (!state_.RecordingActive)
            showPicture(false);
    }
}

void IconMode::TrayRightClick() {
    if (state_.IconMode)
        LeaveIconMode();
}

void IconMode::TimerIcon_Timer() {
    if (!state_.IconMode)
        return;
    if (standingIn_) {
        // A notification area turned up (a panel that started after the
        // program): the icon takes over from the still minimised window.
        if (tray_->isAvailable() && window_.isMinimized())
            EnterIconMode();
        return;
    }
    if (!tray_->isAvailable()) {
        // The area went away: the hidden window must not be left without a
        // way back.
        EnterIconMode();
        return;
    }
    if (!state_.RecordingActive)
        return;
    if (state_.IconBlinkPhase) {
        tray_->setIcon(recordingIcon_);
        state_.IconBlinkPhase = false;
    } else {
        tray_->setIcon(window_.windowIcon());
        state_.IconBlinkPhase = true;
    }
}

void IconMode::windowStateChanged() {
    if (standingIn_ && state_.IconMode && !window_.isMinimized()) {
        standingIn_ = false;
        state_.IconMode = false;
    }
}

void IconMode::showPicture(bool recording) {
    tray_->setIcon(recording ? recordingIcon_ : readyIcon_);
    tray_->setToolTip(recording ? RecordingTip : ReadyTip);
}

void IconMode::standInForIcon() {
    tray_->hide();
    standingIn_ = true;
    state_.IconMode = true;
    // showMinimized() also maps a window that was never shown (the start
    // in icon mode), so there is always something to restore.
    if (!window_.isVisible() || !window_.isMinimized())
        window_.showMinimized();
    tellOnceAboutMissingTray();
}

void IconMode::tellOnceAboutMissingTray() {
    if (noticeGiven_)
        return;
    noticeGiven_ = true;
    if (operations_.notice)
        operations_.notice(NoTrayNotice);
}

} // namespace quillotap
