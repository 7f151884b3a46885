// A slider drawn as a track with a knob picture on it (horizontal, or
// vertical with the maximum at the top). The knob follows the pointer while a
// mouse button is held and settles where it is released; code places it
// without any release side effect. Arrow, Page and Home/End keys move it and
// count as a release.
#pragma once

#include "widgets/SliderMath.h"

#include <QPixmap>
#include <QWidget>

namespace quillotap {

// State shared by all picture sliders of a window: the drag flag and the
// values of the last placed horizontal and vertical knobs.
struct SliderState {
    // A button went down on a slider track and has not been released on one.
    bool SliderDragging = false;
    // Value of the horizontal slider whose knob was placed last.
    int SliderValue = 0;
    // Value of the vertical slider.
    int VerticalSliderValue = 0;
};

// The process-wide state that sliders use unless they are given their own.
SliderState& SharedSliderState();

class PictureSlider : public QWidget {
    Q_OBJECT
public:
    // `range` is the value at the right end of a horizontal slider; a vertical
    // slider always runs from 0 (bottom) to 65535 (top). `state` defaults to
    // SharedSliderState().
    PictureSlider(Qt::Orientation orientation, int range, QWidget* parent = nullptr,
                  SliderState* state = nullptr);

    Qt::Orientation orientation() const { return orientation_; }
    int range() const { return range_; }

    // Knob pictures; the default ones suit the orientation.
    void setKnobPictures(const QPixmap& normal, const QPixmap& dimmed);
    // The dimmed knob stands for "this input has no such control".
    void setDimmed(bool dimmed);
    bool isDimmed() const { return dimmed_; }

    // Places a horizontal knob centred on track x `position` and stores its
    // value in SliderValue. Ignored on a vertical slider.
    void SetSliderKnob(int position);
    // Places the vertical knob centred on track y `position` and stores its
    // value in VerticalSliderValue. Ignored on a horizontal slider.
    void SetVerticalSliderKnob(int position);
    // Places the knob at the position callers derive from a value:
    // width × value / range, or height × (65535 − value) / 65535.
    void placeKnobAtValue(int value);

    // This slider's value (its last placement; unchanged by a placement that
    // draws no knob).
    int value() const { return value_; }
    bool isKnobDrawn() const { return knobDrawn_; }
    // The knob's rectangle in track coordinates (empty when not drawn).
    QRect knobRect() const;

    SliderState& state() const { return *state_; }

    QSize sizeHint() const override;

signals:
    // A mouse button went down on the track.
    void pressed();
    // The knob follows the pointer; nothing should be sent to the sound
    // system while dragging.
    void dragged(int value);
    // The knob settled after a mouse release or a key press: act on `value`.
    void released(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeAtPointer(const QPoint& pointer);
    void apply(const KnobPlacement& placement);
    KnobPlacement placementFor(int pointer) const;
    int pointerForValue(int value) const;
    bool stepKnob(int direction, int steps);
    QSize knobSize() const;
    const QPixmap& knob() const { return dimmed_ ? dimmedKnob_ : knob_; }

    Qt::Orientation orientation_;
    int range_;
    SliderState* state_;
    QPixmap knob_;
    QPixmap dimmedKnob_;
    bool dimmed_ = false;
    int value_ = 0;
    int knobPosition_ = 0;
    bool knobDrawn_ = false;
    // The value the knob was last placed from (placeKnobAtValue), or -1 after
    // a placement by pointer; a resize places the knob from it again.
    int placedValue_ = -1;
};

} // namespace quillotap
