#include "widgets/PictureButton.h"

#include "widgets/ChromeAccessibility.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace quillotap {

PictureButton::PictureButton(QWidget* parent) : QWidget(parent) {
    InstallChromeAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    // Mouse moves without a button held are needed for the hover picture.
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

PictureButton::PictureButton(const QString& accessibleName, const QPixmap& normal,
                             const QPixmap& hover, const QPixmap& pressed, QWidget* parent)
    : PictureButton(parent) {
    setAccessibleName(accessibleName);
    setToolTip(accessibleName);
    setPictures(normal, hover, pressed);
}

void PictureButton::setPictures(const QPixmap& normal, const QPixmap& hover,
                                const QPixmap& pressed) {
    normal_ = normal;
    hover_ = hover;
    pressed_ = pressed;
    if (!normal_.isNull())
        setFixedSize(normal_.deviceIndependentSize().toSize());
    update();
}

void PictureButton::setGreyedPicture(const QPixmap& greyed) {
    greyed_ = greyed;
    update();
}

void PictureButton::showPicture(Picture picture) {
    if (shown_ == picture)
        return;
    shown_ = picture;
    update();
}

void PictureButton::setSelected(bool selected) {
    selected_ = selected;
}

void PictureButton::click() {
    if (isEnabled())
        emit clicked();
}

QSize PictureButton::sizeHint() const {
    return normal_.isNull() ? QSize(16, 16) : normal_.deviceIndependentSize().toSize();
}

const QPixmap& PictureButton::pixmapFor(Picture picture) const {
    switch (picture) {
    case Picture::Hover:
        return hover_;
    case Picture::Pressed:
        return pressed_;
    case Picture::Greyed:
        return greyed_.isNull() ? normal_ : greyed_;
    case Picture::Normal:
        break;
    }
    return normal_;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmapFor(shown_));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void PictureButton::showHover(bool inside) {
    if (!isEnabled())
        return;
    if (selected_)
        showPicture(Picture::Pressed);
    else
        showPicture(inside ? Picture::Hover : Picture::Normal);
}

void PictureButton::enterEvent(QEnterEvent*) {
    showHover(true);
}

void PictureButton::leaveEvent(QEvent*) {
    showHover(false);
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    // While a button is held Qt keeps sending moves here after the pointer
    // has left, so the picture follows the pointer in and out.
    showHover(rect().contains(event->position().toPoint()));
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    showPicture(Picture::Pressed);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    showPicture(selected_ ? Picture::Pressed : Picture::Normal);
    if (inside)
        emit clicked();
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace quillotap
