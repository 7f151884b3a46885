// Knob arithmetic of the picture sliders, free of any widget: where the knob
// goes for a pointer position and which value that position stands for.
// All roundings go to the nearest integer with halves to even.
#pragma once

namespace quillotap {

// Value range of the vertical (input-volume) slider: the top is the maximum.
inline constexpr int VerticalSliderRange = 65535;

struct KnobPlacement {
    int position = 0;   // knob's left edge (horizontal) or top edge (vertical)
    int value = 0;      // the slider value the placement stands for
    bool drawn = false; // false: the track stays empty
};

// Rounds to the nearest integer, halves to even.
int RoundHalfEven(double x);

// The knob of a horizontal slider centred on pointer x `pointer`, kept inside
// the track and snapped to the position of a whole value of 0..range. A track
// without travel (knob as wide as the track or wider) or a range below 1
// draws no knob and keeps `previousValue`.
KnobPlacement PlaceHorizontalKnob(int pointer, int trackWidth, int knobWidth, int range,
                                  int previousValue);

// The knob of the vertical slider centred on pointer y `pointer`, kept inside
// the track; the value is 65535 at the top and 0 at the bottom. A knob at
// least as high as the track is drawn at the top and keeps `previousValue`.
KnobPlacement PlaceVerticalKnob(int pointer, int trackHeight, int knobHeight, int previousValue);

// Pointer positions that callers use to place a knob from a value.
int HorizontalPointerForValue(int value, int trackWidth, int range);
int VerticalPointerForValue(int value, int trackHeight);

} // namespace quillotap
