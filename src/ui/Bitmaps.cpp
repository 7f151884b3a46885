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
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/quillotap-16.png"));
    icon.addFile(QStringLiteral(":/icons/quillotap-32.png"));
    icon.addFile(QStringLiteral(":/icons/quillotap.png"));
    icon.addFile(QStringLiteral(":/icons/quillotap-128.png"));
    return icon;
}

} // namespace quillotap
