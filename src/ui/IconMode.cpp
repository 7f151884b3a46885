#include "ui/IconMode.h"

#include "ui/TrayPictures.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
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

IconMode::IconMode(QWidget& window, std::unique_ptr<TrayIcon> tray, Operations operations,
                   QObject* parent)
    : QObject(parent), window_(window), tray_(std::move(tray)), operations_(std::move(operations)),
      readyIcon_(TrayIconPicture(TrayPicture::Ready)),
      recordingIcon_(TrayIconPicture(TrayPicture::Recording)),
      reportsMinimised_(WindowSystemReportsMinimised()) {
    tray_->onLeftClick([this] { TrayLeftClick(); });
    tray_->onRightClick([this] { TrayRightClick(); });
    timerIcon_.setObjectName(QStringLiteral("TimerIcon"));
    timerIcon_.setInterval(BlinkIntervalMs);
    connect(&timerIcon_, &QTimer::timeout, this, &IconMode::onBlinkTick);
    timerIcon_.start();
}

bool IconMode::isRecording() const {
    return operations_.isRecording && operations_.isRecording();
}

bool IconMode::isArmed() const {
    return operations_.isArmed && operations_.isArmed();
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
        showPicture(isRecording());
        tray_->show();
        window_.hide();
        active_ = true;
        if (!balloonShown_) {
            ShowTrayBalloon(BalloonText(), BalloonTitle());
            balloonShown_ = true;
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
    active_ = false;
}

void IconMode::ShowTrayBalloon(const QString& text, const QString& title) {
    tray_->showMessage(title, text);
}

void IconMode::showRecording(bool recording) {
    if (!active_)
        return;
    showPicture(recording && (isRecording() || isArmed()));
}

void IconMode::TrayLeftClick() {
    if (!active_)
        return;
    // The icon changes first, then the recording starts or stops; no cue
    // sound is played (cues belong to the hotkeys).
    if (isRecording() || isArmed()) {
        showPicture(false);
        if (operations_.stop)
            operations_.stop();
    } else {
        showPicture(true);
        if (operations_.record)
            operations_.record();
        // A start that failed (the user has been told why) must not leave
        // the icon saying that a recording runs.
        if (!isRecording() && !isArmed())
            showPicture(false);
    }
}

void IconMode::TrayRightClick() {
    if (active_)
        LeaveIconMode();
}

void IconMode::onBlinkTick() {
    if (!active_)
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
    if (!isRecording())
        return;
    if (blinkPhase_) {
        tray_->setIcon(recordingIcon_);
        blinkPhase_ = false;
    } else {
        tray_->setIcon(window_.windowIcon());
        blinkPhase_ = true;
    }
}

void IconMode::EnterFromWindow() {
    // Without a notification area the minimised window is the icon; asked
    // again (the icon-mode hotkey, which sees a window that is still shown),
    // it comes back, so the hotkey keeps alternating as it does with an icon.
    if (isStandingIn()) {
        LeaveIconMode();
        return;
    }
    // A window that was never shown (the start in icon mode) only takes the
    // minimised state; showing it here would flash it on the screen.
    if (window_.isVisible())
        window_.showMinimized();
    else
        window_.setWindowState(window_.windowState() | Qt::WindowMinimized);
    EnterIconMode();
}

void IconMode::windowStateChangedTo(bool minimised, const std::function<bool()>& whenMinimised) {
    if (!minimised) {
        windowStateChanged();
        return;
    }
    // Once the minimising is over: a window hidden while it is still being
    // minimised would be shown again by the rest of that step.
    QMetaObject::invokeMethod(
        this,
        [this, whenMinimised] {
            if (window_.isMinimized() && !active_ && whenMinimised && whenMinimised())
                EnterIconMode();
        },
        Qt::QueuedConnection);
}

void IconMode::windowStateChanged() {
    // Without reported minimising, a state change is Qt taking back its own
    // minimise request, not the user restoring the window.
    if (!reportsMinimised_)
        return;
    if (standingIn_ && active_ && !window_.isMinimized()) {
        standingIn_ = false;
        active_ = false;
    }
}

void IconMode::showPicture(bool recording) {
    tray_->setIcon(recording ? recordingIcon_ : readyIcon_);
    tray_->setToolTip(recording ? RecordingTip() : ReadyTip());
}

void IconMode::standInForIcon() {
    tray_->hide();
    standingIn_ = true;
    active_ = true;
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
                if (standingIn_ && active_ && window_.isVisible())
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

void IconMode::showPicturesOn(QLabel* ready, QLabel* recording) const {
    ready->setPixmap(DrawTrayPicture(TrayPicture::Ready, 16));
    recording->setPixmap(DrawTrayPicture(TrayPicture::Recording, 16));
}

} // namespace quillotap
