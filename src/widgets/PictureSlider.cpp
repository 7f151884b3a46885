#include "widgets/PictureSlider.h"

#include "widgets/Bitmaps.h"
#include "widgets/ChromeAccessibility.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace quillotap {

namespace {
// Pointer positions far beyond either end of any track.
constexpr int FarBefore = -1'000'000;
constexpr int FarAfter = 1'000'000;
constexpr int PageSteps = 10;
} // namespace

SliderState& SharedSliderState() {
    static SliderState state;
    return state;
}

PictureSlider::PictureSlider(Qt::Orientation orientation, int range, QWidget* parent,
                             SliderState* state)
    : QWidget(parent), orientation_(orientation),
      range_(orientation == Qt::Vertical ? VerticalSliderRange : range),
      state_(state ? state : &SharedSliderState()) {
    InstallChromeAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    if (orientation_ == Qt::Horizontal)
        setKnobPictures(LoadKnob(Knob::Horizontal), LoadKnob(Knob::HorizontalDimmed));
    else
        setKnobPictures(LoadKnob(Knob::Vertical), LoadKnob(Knob::VerticalDimmed));
}

void PictureSlider::setKnobPictures(const QPixmap& normal, const QPixmap& dimmed) {
    knob_ = normal;
    dimmedKnob_ = dimmed;
    update();
}

void PictureSlider::setDimmed(bool dimmed) {
    dimmed_ = dimmed;
    update();
}

QSize PictureSlider::knobSize() const {
    const QPixmap& picture = knob();
    if (!picture.isNull())
        return picture.deviceIndependentSize().toSize();
    return orientation_ == Qt::Horizontal ? QSize(11, 21) : QSize(21, 11);
}

KnobPlacement PictureSlider::placementFor(int pointer) const {
    if (orientation_ == Qt::Horizontal)
        return PlaceHorizontalKnob(pointer, width(), knobSize().width(), range_, value_);
    return PlaceVerticalKnob(pointer, height(), knobSize().height(), value_);
}

void PictureSlider::apply(const KnobPlacement& placement) {
    const bool changed = placement.value != value_;
    value_ = placement.value;
    knobPosition_ = placement.position;
    knobDrawn_ = placement.drawn;
    placedValue_ = -1;
    // A track without travel computes no value; the shared value then keeps
    // whatever the last real placement left in it.
    if (orientation_ == Qt::Horizontal) {
        if (width() > knobSize().width() && range_ >= 1)
            state_->SliderValue = value_;
    } else if (height() > knobSize().height()) {
        state_->VerticalSliderValue = value_;
    }
    update();
    if (changed) {
        QAccessibleValueChangeEvent event(this, value_);
        QAccessible::updateAccessibility(&event);
    }
}

void PictureSlider::SetSliderKnob(int position) {
    if (orientation_ == Qt::Horizontal)
        apply(placementFor(position));
}

void PictureSlider::SetVerticalSliderKnob(int position) {
    if (orientation_ == Qt::Vertical)
        apply(placementFor(position));
}

int PictureSlider::pointerForValue(int value) const {
    if (orientation_ == Qt::Horizontal)
        return HorizontalPointerForValue(value, width(), range_);
    return VerticalPointerForValue(value, height());
}

void PictureSlider::placeKnobAtValue(int value) {
    if (orientation_ == Qt::Horizontal)
        SetSliderKnob(pointerForValue(value));
    else
        SetVerticalSliderKnob(pointerForValue(value));
    placedValue_ = value;
}

void PictureSlider::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A knob placed before the layout gave the track its size keeps standing
    // for its value. The shared slider values are left alone: a resize is no
    // placement by the user or the program. A track without a knob keeps none.
    if (placedValue_ < 0 && !knobDrawn_)
        return;
    const KnobPlacement placement =
        placementFor(pointerForValue(placedValue_ >= 0 ? placedValue_ : value_));
    if (placement.drawn)
        value_ = placement.value;
    knobPosition_ = placement.position;
    knobDrawn_ = placement.drawn;
    update();
}

QRect PictureSlider::knobRect() const {
    if (!knobDrawn_)
        return {};
    const QSize size = knobSize();
    if (orientation_ == Qt::Horizontal)
        return {QPoint(knobPosition_, (height() - size.height()) / 2), size};
    return {QPoint((width() - size.width()) / 2, knobPosition_), size};
}

QSize PictureSlider::sizeHint() const {
    const QSize knob = knobSize();
    if (orientation_ == Qt::Horizontal)
        return {120, knob.height()};
    return {knob.width() + 10, 120};
}

void PictureSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The groove runs between the knob centre's two extreme positions.
    const QSize knob = knobSize();
    QRectF groove;
    if (orientation_ == Qt::Horizontal)
        groove = QRectF(knob.width() / 2.0, height() / 2.0 - 2, width() - knob.width(), 4);
    else
        groove = QRectF(width() / 2.0 - 2, knob.height() / 2.0, 4, height() - knob.height());
    const bool active = isEnabled() && !dimmed_;
    painter.setPen(QColor(active ? "#7d8b99" : "#b4b9be"));
    painter.setBrush(QColor(active ? "#c3ccd5" : "#e2e4e6"));
    painter.drawRoundedRect(groove, 2, 2);

    if (knobDrawn_)
        painter.drawPixmap(knobRect().topLeft(), this->knob());

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void PictureSlider::placeAtPointer(const QPoint& pointer) {
    if (orientation_ == Qt::Horizontal)
        SetSliderKnob(pointer.x());
    else
        SetVerticalSliderKnob(pointer.y());
}

void PictureSlider::mousePressEvent(QMouseEvent*) {
    state_->SliderDragging = true;
    emit pressed();
}

void PictureSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!state_->SliderDragging)
        return;
    placeAtPointer(event->position().toPoint());
    emit dragged(value_);
}

void PictureSlider::mouseReleaseEvent(QMouseEvent* event) {
    state_->SliderDragging = false;
    placeAtPointer(event->position().toPoint());
    emit released(value_);
}

bool PictureSlider::stepKnob(int direction, int steps) {
    // Walk the knob pixel by pixel until it stands for a different value, so
    // that every key press moves it whatever the ratio of pixels to values.
    const int extent = orientation_ == Qt::Horizontal ? width() : height();
    const int knobExtent =
        orientation_ == Qt::Horizontal ? knobSize().width() : knobSize().height();
    const int travel = extent - knobExtent;
    const int half = RoundHalfEven(knobExtent / 2.0);
    const int pixelStep = orientation_ == Qt::Horizontal ? direction : -direction;

    KnobPlacement best{knobPosition_, value_, knobDrawn_};
    int taken = 0;
    for (int left = knobPosition_ + pixelStep; left >= 0 && left <= travel && taken < steps;
         left += pixelStep) {
        const KnobPlacement next = placementFor(left + half);
        if (next.value != best.value) {
            best = next;
            ++taken;
        }
    }
    if (taken == 0)
        return false;
    apply(best);
    return true;
}

void PictureSlider::keyPressEvent(QKeyEvent* event) {
    bool moved = false;
    const int before = value_;
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up:
        moved = stepKnob(+1, 1);
        break;
    case Qt::Key_Left:
    case Qt::Key_Down:
        moved = stepKnob(-1, 1);
        break;
    case Qt::Key_PageUp:
        moved = stepKnob(+1, PageSteps);
        break;
    case Qt::Key_PageDown:
        moved = stepKnob(-1, PageSteps);
        break;
    case Qt::Key_Home: // the minimum: left end, or bottom of a vertical slider
        apply(placementFor(orientation_ == Qt::Horizontal ? FarBefore : FarAfter));
        moved = value_ != before;
        break;
    case Qt::Key_End:
        apply(placementFor(orientation_ == Qt::Horizontal ? FarAfter : FarBefore));
        moved = value_ != before;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (moved)
        emit released(value_);
}

} // namespace quillotap
