#include "ui/VisualizationPresets.h"

#include "audio/AudioVisualizationEx2.h"

namespace quillotap {

namespace {

// Colours are OLE values 0x00BBGGRR.
constexpr int Green = 65280;
constexpr int Yellow = 65535;
constexpr int Red = 255;
constexpr int White = 16777215;
constexpr int Orange = 33023;

// Columns: mode, channel layout, style, grid, logarithmic axis, resolution,
// smooth fall, high threshold, middle threshold, bar gap, peak markers, peak
// hold ms, fall speed, low/middle/high colours, colour blending.
constexpr std::array<PresetRow, PresetCount> kPane1 = {{
    {0, 0, 0, 0, 0, 57, 1, 60, 40, 2, 1, 200, 10, Green, Yellow, Red, 1},
    {1, 1, 1, 1, 1, 57, 1, 90, 10, 2, 1, 2000, 10, Green, Yellow, Red, 1},
    {3, 1, 1, 0, 0, 152, 1, 70, 20, 2, 1, 2000, 10, Green, Yellow, Red, 1},
    {3, 0, 1, 0, 0, 50, 1, 70, 20, 2, 0, 2000, 10, Green, Yellow, Red, 0},
    {3, 0, 3, 0, 0, 46, 1, 70, 20, 2, 1, 1000, 10, Green, Yellow, Red, 1},
    {3, 1, 4, 0, 0, 300, 1, 70, 20, 2, 1, 200, 100, Green, Yellow, Red, 1},
    {0, 0, 1, 1, 0, 50, 1, 60, 10, 2, 0, 500, 100, Green, Yellow, Red, 1},
    {3, 0, 6, 1, 1, 300, 1, 70, 20, 2, 1, 200, 100, Green, Yellow, Red, 1},
    {0, 0, 0, 0, 0, 57, 1, 80, 60, 2, 0, 1000, 10, Red, Yellow, White, 1},
    {0, 0, 2, 1, 1, 56, 1, 70, 10, 2, 1, 2000, 10, Green, Yellow, Red, 1},
    {3, 0, 1, 1, 1, 450, 0, 60, 20, 1, 0, 200, 10, Orange, Yellow, Red, 1},
    {3, 1, 4, 1, 1, 300, 1, 70, 20, 2, 1, 200, 100, Green, Yellow, Red, 0},
}};

constexpr std::array<PresetRow, PresetCount> kPane2 = {{
    {0, 0, 0, 0, 0, 50, 1, 80, 60, 2, 1, 200, 10, Green, Yellow, Red, 1},
    {1, 1, 1, 1, 1, 50, 1, 50, 10, 2, 1, 200, 10, Green, Yellow, Red, 1},
    {0, 1, 1, 0, 0, 20, 1, 70, 10, 2, 0, 200, 10, Green, Yellow, Red, 0},
    {3, 0, 1, 0, 0, 50, 1, 70, 20, 2, 1, 2000, 10, Green, Yellow, Red, 1},
    {3, 1, 3, 0, 0, 50, 1, 70, 20, 1, 1, 500, 10, Green, Yellow, Red, 1},
    {3, 1, 4, 0, 0, 300, 1, 70, 20, 2, 1, 200, 100, Green, Yellow, Red, 1},
    {3, 1, 6, 0, 0, 300, 1, 70, 20, 2, 1, 200, 100, Green, Yellow, Red, 1},
    {3, 0, 6, 1, 1, 300, 1, 70, 20, 2, 1, 200, 100, Green, Yellow, Red, 1},
    {0, 0, 0, 0, 0, 50, 1, 80, 60, 1, 0, 200, 10, Red, Yellow, White, 1},
    {0, 1, 2, 1, 1, 40, 1, 70, 10, 2, 1, 200, 10, Green, Yellow, Red, 1},
    {3, 0, 1, 1, 1, 196, 0, 60, 20, 1, 0, 200, 10, Orange, Yellow, Red, 1},
    {3, 1, 4, 1, 1, 100, 1, 70, 20, 2, 1, 200, 100, Green, Yellow, Red, 0},
}};

} // namespace

const PresetRow* PresetRowFor(int pane, int preset) {
    if (preset < 1 || preset > PresetCount)
        return nullptr;
    if (pane == 1)
        return &kPane1[static_cast<size_t>(preset - 1)];
    if (pane == 2)
        return &kPane2[static_cast<size_t>(preset - 1)];
    return nullptr;
}

QVariant PresetValue(const PresetRow& row, int position) {
    const int value = row[static_cast<size_t>(position)];
    if (PresetPropertyOrder[static_cast<size_t>(position)] == PresetBooleanProperty)
        return QVariant(value != 0);
    return QVariant(value);
}

bool AssignPreset(const PropertyAssigner& assign, int pane, int preset) {
    const PresetRow* row = PresetRowFor(pane, preset);
    if (!row)
        return false;
    // A refused value is skipped; the rest of the row still applies.
    for (int i = 0; i < PresetValueCount; ++i)
        assign(PresetPropertyOrder[static_cast<size_t>(i)], PresetValue(*row, i));
    return true;
}

bool ApplyPreset(AudioVisualizationEx2& display, int pane, int preset) {
    return AssignPreset(
        [&display](int dispid, const QVariant& value) {
            return display.SetDispatchProperty(dispid, value);
        },
        pane, preset);
}

} // namespace quillotap
