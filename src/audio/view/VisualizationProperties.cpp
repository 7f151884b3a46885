#include "VisualizationProperties.h"

namespace quillotap::view {

namespace {

struct Range {
    int dispid;
    qint64 min;
    qint64 max;
    qint64 initial;
};

// Accepted range and start value of every numeric property. The start
// values give a green/yellow/red spectrum on a logarithmic frequency axis.
constexpr Range kRanges[] = {
    {LowColor, 0, 0xFFFFFF, 0x00FF00},
    {MidColor, 0, 0xFFFFFF, 0x00FFFF},
    {HighColor, 0, 0xFFFFFF, 0x0000FF},
    {PeakHoldMs, 0, 60000, 2000},
    {FallSpeed, 0, 10000, 10},
    {BarGap, 0, 100, 2},
    {PeakMarkers, 0, 1, 1},
    {BarCount, 1, 4096, 50},
    {MidThreshold, 0, 100, 20},
    {HighThreshold, 0, 100, 70},
    {SmoothFall, 0, 1, 1},
    {LogFrequency, 0, 1, 1},
    {Grid, 0, 1, 0},
    {DisplayMode, 0, 3, 3},
    {SplitChannels, 0, 1, 0},
    {DrawStyle, 0, 6, 1},
};

const Range* findRange(int dispid) {
    for (const Range& r : kRanges) {
        if (r.dispid == dispid)
            return &r;
    }
    return nullptr;
}

} // namespace

VisualizationProperties::VisualizationProperties() {
    for (const Range& r : kRanges)
        values_[r.dispid] = QVariant(static_cast<int>(r.initial));
    values_[Gradient] = QVariant(true);
}

bool VisualizationProperties::isKnown(int dispid) {
    return dispid == Gradient || findRange(dispid) != nullptr;
}

bool VisualizationProperties::set(int dispid, const QVariant& value) {
    if (!value.isValid())
        return false;
    if (dispid == Gradient) {
        // A Boolean; the numbers 0 and 1 are accepted as False and True.
        if (value.typeId() == QMetaType::Bool) {
            values_[dispid] = value;
            return true;
        }
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        if (!ok || (n != 0 && n != 1))
            return false;
        values_[dispid] = QVariant(n != 0);
        return true;
    }
    const Range* range = findRange(dispid);
    if (!range || value.typeId() == QMetaType::Bool)
        return false;
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    if (!ok || n < range->min || n > range->max)
        return false;
    values_[dispid] = QVariant(static_cast<int>(n));
    return true;
}

QVariant VisualizationProperties::get(int dispid) const {
    const auto it = values_.find(dispid);
    return it == values_.end() ? QVariant() : it->second;
}

int VisualizationProperties::number(DisplayProperty p) const {
    const auto it = values_.find(p);
    return it == values_.end() ? 0 : it->second.toInt();
}

QColor VisualizationProperties::color(DisplayProperty p) const {
    const int ole = number(p);
    return QColor(ole & 0xFF, (ole >> 8) & 0xFF, (ole >> 16) & 0xFF);
}

} // namespace quillotap::view
