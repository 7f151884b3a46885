#include "ui/WindowMessages.h"

namespace quillotap {

void WindowMessages::show(QMessageBox::Icon icon, const QString& title, const QString& text) const {
    if (handler_) {
        handler_(icon, title, text);
        return;
    }
    if (ending_) {
        qWarning("%s: %s", qPrintable(title), qPrintable(text));
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, window_);
    box.exec();
}

} // namespace quillotap
