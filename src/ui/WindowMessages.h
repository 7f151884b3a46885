// The main window's message boxes. Tests put in a handler to see the
// messages instead. While the program ends (a close, a signal, the session's
// end) nobody may be there to answer a box, and a modal one would keep the
// program from ending: the message goes to the error output then.
#pragma once

#include <QMessageBox>
#include <functional>

namespace quillotap {

class WindowMessages {
public:
    using Handler =
        std::function<void(QMessageBox::Icon icon, const QString& title, const QString& text)>;

    explicit WindowMessages(QWidget* window) : window_(window) {}

    void setHandler(Handler handler) { handler_ = std::move(handler); }
    void setEnding() { ending_ = true; }
    void show(QMessageBox::Icon icon, const QString& title, const QString& text) const;

private:
    QWidget* window_;
    Handler handler_;
    bool ending_ = false;
};

} // namespace quillotap
