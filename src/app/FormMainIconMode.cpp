// Icon mode: the notification-area icon that stands in for the window.
#include "app/FormMain.h"

#include <QEvent>

namespace quillotap {

void FormMain::setUpIconMode() {}

void FormMain::EnterIconMode() {
    iconModeRequested_ = true;
}

void FormMain::LeaveIconMode() {
    showNormal();
    raise();
    activateWindow();
    state_.IconMode = false;
}

void FormMain::CmdIcon_Click() {
    EnterIconMode();
}

void FormMain::ShowIconRecording(bool) {}

void FormMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
}

} // namespace quillotap
