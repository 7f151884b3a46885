#pragma once

#include <QPointF>
#include <vector>

namespace quillotap::view {

// What the visualization draws for the latest block, ready for painting.
// A lane is one channel, or all channels mixed into one.
struct VisualFrame {
    int lanes = 0;
    // Oscilloscope: the most recent samples of each lane, -1..1.
    std::vector<std::vector<float>> waves;
    // Stereo scope: (left, right) pairs, -1..1.
    std::vector<QPointF> xy;
    // Bar displays: lanes * barsPerLane levels and peak markers, 0..1.
    int barsPerLane = 0;
    std::vector<float> levels;
    std::vector<float> peaks;

    bool isEmpty() const { return lanes == 0; }
};

} // namespace quillotap::view
