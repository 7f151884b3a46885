#include "ui/IconMode.h"

#include "app/MainState.h"
#include "ui/TrayPictures.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace quillotap {

QString IconMode::ReadyTip() {
    return tr("Quillotap - Ready to record");
}
QString IconMode::RecordingTip() {
    return tr("Quillotap - Recording");
}
QString IconMode::BalloonTitle() {
    return QStringLiteral("Quillotap");
}
QString IconMode::BalloonText() {
    return tr("Left click to start/stop recording.\nRight click to exit icon mode");
}
QString IconMode::NoTrayNotice() {
    return tr("No notification area found: the window was minimized instead of hidden. "
              "Restore it from the taskbar or with the icon-mode hotkey.");
}

IconMode::IconMode(MainState& state, QWidget& window, std::unique_ptr<TrayIcon> tray,
                   Operations operations, QObject* parent)
    : QObject(parent), state_(state), window_(window), tray_(std::move(tray)),
      operations_(std::move(operations)), readyIcon_(TrayIconPicture(TrayPicture::Ready)),
      recordingIcon_(TrayIconPicture(TrayPicture::Recording)),
      reportsMinimised_(WindowSystemReportsMinimised()) {
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
            ShowTrayBalloon(BalloonText(), BalloonTitle());
            state_.BalloonShown = true;
        }
    }
    entering_ = false;
}

bool IconMode::WindowSystemReportsMinimised() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool IconMode::isStandingIn() const {
    return standingIn_ && (reportsMinimised_ || !window_.isActiveWindow());
}

void IconMode::LeaveIconMode() {
    // The compositor may hold the standing-in window minimised without the
    // program knowing; only a window mapped anew is sure to be on the screen.
    if (standingIn_ && !reportsMinimised_)
        window_.hide();
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
    showPicture(recording && (state_.RecordingActive || state_.SoundArmed));
}

void IconMode::TrayLeftClick() {
    if (!state_.IconMode)
        return;
    // The icon changes first, then the recording starts or stops; no cue
    // sound is played (cues belong to the hotkeys).
    if (state_.RecordingActive || state_.SoundArmed) {
        showPicture(false);
        if (operations_.stop)
            operations_.stop();
    } else {
        showPicture(true);
        if (operations_.record)
            operations_.record();
        // A start that failed (the user has been told why) must not leave
        // the icon saying that a recording runs.
        if (!state_.RecordingActive && !state_.SoundArmed)
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
    // Without reported minimising, a state change is Qt taking back its own
    // minimise request, not the user restoring the window.
    if (!reportsMinimised_)
        return;
    if (standingIn_ && state_.IconMode && !window_.isMinimized()) {
        standingIn_ = false;
        state_.IconMode = false;
    }
}

void IconMode::showPicture(bool recording) {
    tray_->setIcon(recording ? recordingIcon_ : readyIcon_);
    tray_->setToolTip(recording ? RecordingTip() : ReadyTip());
}

void IconMode::standInForIcon() {
    tray_->hide();
    standingIn_ = true;
    state_.IconMode = true;
    if (!reportsMinimised_) {
        minimiseOnceMapped();
    } else if (!window_.isVisible() || !window_.isMinimized()) {
        // showMinimized() also maps a window that was never shown (the start
        // in icon mode), so there is always something to restore.
        window_.showMinimized();
    }
    tellOnceAboutMissingTray();
}

void IconMode::minimiseOnceMapped() {
    QWindow* handle = window_.windowHandle();
    if (window_.isVisible() && handle && handle->isExposed()) {
        window_.showMinimized();
        return;
    }
    // A window not yet on the screen is shown normally first; the minimise
    // request follows its first frame, which the compositor then has mapped.
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    handle = window_.windowHandle();
    if (!handle || handle == awaitedExposure_)
        return;
    if (awaitedExposure_)
        awaitedExposure_->removeEventFilter(this);
    awaitedExposure_ = handle;
    handle->installEventFilter(this);
}

bool IconMode::eventFilter(QObject* watched, QEvent* event) {
    if (watched == awaitedExposure_ && event->type() == QEvent::Expose &&
        static_cast<QWindow*>(watched)->isExposed()) {
        awaitedExposure_->removeEventFilter(this);
        awaitedExposure_ = nullptr;
        // After the window has painted and handed over that first frame.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (standingIn_ && state_.IconMode && window_.isVisible())
                    window_.showMinimized();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void IconMode::tellOnceAboutMissingTray() {
    if (noticeGiven_)
        return;
    noticeGiven_ = true;
    if (operations_.notice)
        operations_.notice(NoTrayNotice());
}

} // namespace quillotap
