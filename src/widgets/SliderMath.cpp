#include "widgets/SliderMath.h"

#include <cmath>

namespace quillotap {

int RoundHalfEven(double x) {
    // The default floating-point rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(x));
}

KnobPlacement PlaceHorizontalKnob(int pointer, int trackWidth, int knobWidth, int range,
                                  int previousValue) {
    const int half = RoundHalfEven(knobWidth / 2.0);
    const int upper = trackWidth - half;
    const int travel = trackWidth - knobWidth;

    int left = pointer - half;
    if (pointer < half)
        left = 0;
    else if (pointer > upper || left > travel)
        left = travel; // an odd knob width whose half rounds down would overshoot by one

    if (travel <= 0 || range < 1)
        return {left, previousValue, false};

    const int value = RoundHalfEven(static_cast<double>(left) / travel * range);
    // Snap the knob to the position of the whole value it stands for.
    const int x = RoundHalfEven(travel * (static_cast<double>(value) / range));
    return {x, value, true};
}

KnobPlacement PlaceVerticalKnob(int pointer, int trackHeight, int knobHeight, int previousValue) {
    const int half = RoundHalfEven(knobHeight / 2.0);
    const int lowerLimit = half;
    const int upperLimit = trackHeight - half;
    const int travel = trackHeight - knobHeight;

    int top = pointer - half;
    if (pointer < lowerLimit)
        top = 0;
    else if (pointer > upperLimit || top > travel)
        top = travel; // an odd knob height whose half rounds down would overshoot by one

    if (travel <= 0)
        return {0, previousValue, true};

    const double fraction = static_cast<double>(top) / travel * VerticalSliderRange;
    return {top, VerticalSliderRange - static_cast<int>(std::floor(fraction)), true};
}

int HorizontalPointerForValue(int value, int trackWidth, int range) {
    if (range < 1)
        return 0;
    return RoundHalfEven(static_cast<double>(trackWidth) * value / range);
}

int VerticalPointerForValue(int value, int trackHeight) {
    return RoundHalfEven(static_cast<double>(trackHeight) * (VerticalSliderRange - value) /
                         VerticalSliderRange);
}

} // namespace quillotap
