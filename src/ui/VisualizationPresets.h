// The twelve display presets of each visualization pane: fixed lists of
// seventeen display properties, assigned in a fixed order.
#pragma once

#include <QVariant>
#include <array>
#include <functional>

namespace quillotap {

class AudioVisualizationEx2;

inline constexpr int PresetCount = 12;
inline constexpr int PresetValueCount = 17;

// The display property numbers in the order a preset assigns them.
inline constexpr std::array<int, PresetValueCount> PresetPropertyOrder = {
    34, 35, 36, 29, 28, 24, 27, 26, 25, 22, 23, 20, 21, 14, 15, 16, 33};

// The display property that holds a Boolean; all others hold numbers.
inline constexpr int PresetBooleanProperty = 33;

// One preset row: the values in PresetPropertyOrder; the last is the Boolean.
using PresetRow = std::array<int, PresetValueCount>;

// Row n (1..12) of pane 1 (the input display) or pane 2 (the playback
// display). Other pane or row numbers give nullptr.
const PresetRow* PresetRowFor(int pane, int preset);

// The value of one position of a row as the display property takes it.
QVariant PresetValue(const PresetRow& row, int position);

// Sets one display property; false when the display refuses the value.
using PropertyAssigner = std::function<bool(int dispid, const QVariant& value)>;

// Hands the seventeen values of row n of the pane's table to `assign` in
// order; a refused value does not stop the rest. Rows outside 1..12 assign
// nothing and return false.
bool AssignPreset(const PropertyAssigner& assign, int pane, int preset);

// Assigns row n of the pane's table to `display` in order. A value the
// display refuses is skipped and the rest still applied. Rows outside 1..12
// change nothing and return false.
bool ApplyPreset(AudioVisualizationEx2& display, int pane, int preset);

} // namespace quillotap
