#include "ui/Bitmaps.h"

#include <QString>

namespace quillotap {

QPixmap LoadBitmap(int number) {
    return QPixmap(QStringLiteral(":/bitmaps/%1.png").arg(number));
}

QPixmap LoadKnob(Knob knob) {
    switch (knob) {
    case Knob::Horizontal:
        return QPixmap(QStringLiteral(":/bitmaps/knob_h.png"));
    case Knob::HorizontalDimmed:
        return QPixmap(QStringLiteral(":/bitmaps/knob_h_dim.png"));
    case Knob::Vertical:
        return QPixmap(QStringLiteral(":/bitmaps/knob_v.png"));
    case Knob::VerticalDimmed:
        return QPixmap(QStringLiteral(":/bitmaps/knob_v_dim.png"));
    }
    return {};
}

QIcon ProgramIcon() {
    // Read once: the windows and dialogs share it, and reading the four
    // pictures again for each would slow down the start. Never freed, so it
    // outlives the application object that its pictures belong to.
    static const QIcon* const icon = [] {
        auto* made = new QIcon;
        made->addFile(QStringLiteral(":/icons/quillotap-16.png"));
        made->addFile(QStringLiteral(":/icons/quillotap-32.png"));
        made->addFile(QStringLiteral(":/icons/quillotap.png"));
        made->addFile(QStringLiteral(":/icons/quillotap-128.png"));
        return made;
    }();
    return *icon;
}

} // namespace quillotap
