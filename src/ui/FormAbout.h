// The about box: the program icon drawn large and the version. It is
// modeless, owned by the main window, and any click on it (or Esc) closes it.
#pragma once

#include <QDialog>

namespace quillotap {

class FormAbout : public QDialog {
    Q_OBJECT
public:
    explicit FormAbout(QWidget* owner);

    // Shows a new about box for `owner`; it deletes itself when closed.
    static FormAbout* showFor(QWidget* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace quillotap
