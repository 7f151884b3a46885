// Icon mode: the notification-area icon that stands in for the window. The
// behaviour lives in ui/IconMode; this file connects it to the window, its
// recording buttons, its status line and the icon-mode page.
#include "app/FormMain.h"

#include "recording/RecordingSession.h"
#include "settings/OptionBoxes.h"
#include "ui/IconMode.h"
#include "ui/SystemTrayIcon.h"
#include "ui/TrayPictures.h"
#include "ui_PageIconMode.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace quillotap {

void FormMain::setUpIconMode() {
    std::unique_ptr<TrayIcon> tray =
        services_.trayFactory ? services_.trayFactory() : std::make_unique<SystemTrayIcon>();
    iconModeController_ = new IconMode(
        *this, std::move(tray),
        {[this] { session_->start(); }, [this] { session_->stop(); },
         [this](const QString& text) { statusLabel()->setText(text); },
         [this] { return session_->isRecording(); }, [this] { return session_->isArmed(); }},
        this);
    iconMode_->Image3->setPixmap(DrawTrayPicture(TrayPicture::Ready, 16));
    iconMode_->Image4->setPixmap(DrawTrayPicture(TrayPicture::Recording, 16));
    connect(iconMode_->CmdIcon, &QPushButton::clicked, this, &FormMain::onIconModeClicked);
}

void FormMain::EnterIconMode() {
    onIconModeClicked();
}

void FormMain::LeaveIconMode() {
    iconModeController_->LeaveIconMode();
}

void FormMain::onIconModeClicked() {
    iconModeRequested_ = true;
    iconModeController_->EnterFromWindow();
}

bool FormMain::isInIconMode() const {
    return iconModeController_ && iconModeController_->isActive();
}

void FormMain::ShowIconRecording(bool recording) {
    iconModeController_->showRecording(recording);
}

void FormMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && iconModeController_)
        iconModeController_->windowStateChangedTo(
            isMinimized(), [this] { return optionBoxes_->iconModeWhenMinimised(); });
}

} // namespace quillotap
