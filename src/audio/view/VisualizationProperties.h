#pragma once

#include <QColor>
#include <QVariant>
#include <map>

namespace quillotap::view {

// Display property numbers of the visualization widget (see
// AudioVisualizationEx2.h for what each one does).
enum DisplayProperty : int {
    LowColor = 14,
    MidColor = 15,
    HighColor = 16,
    PeakHoldMs = 20,
    FallSpeed = 21,
    BarGap = 22,
    PeakMarkers = 23,
    BarCount = 24,
    MidThreshold = 25,
    HighThreshold = 26,
    SmoothFall = 27,
    LogFrequency = 28,
    Grid = 29,
    Gradient = 33,
    DisplayMode = 34,
    SplitChannels = 35,
    DrawStyle = 36,
};

enum class Mode { Oscilloscope = 0, LevelMeter = 1, StereoScope = 2, Spectrum = 3 };

enum class Style {
    Lines = 0,
    Bars = 1,
    Dots = 2,
    Segments = 3,
    Area = 4,
    OutlineBars = 5,
    MirroredBars = 6,
};

// The stored display properties: each number has a range, values outside it
// (or of the wrong kind) are refused and the previous value stays.
class VisualizationProperties {
public:
    VisualizationProperties();

    bool set(int dispid, const QVariant& value);
    QVariant get(int dispid) const; // invalid for unknown numbers
    static bool isKnown(int dispid);

    int number(DisplayProperty p) const;
    bool flag(DisplayProperty p) const { return number(p) != 0; }
    // An OLE colour (0x00BBGGRR) as a QColor.
    QColor color(DisplayProperty p) const;
    Mode mode() const { return static_cast<Mode>(number(DisplayMode)); }
    Style style() const { return static_cast<Style>(number(DrawStyle)); }

private:
    std::map<int, QVariant> values_;
};

} // namespace quillotap::view
