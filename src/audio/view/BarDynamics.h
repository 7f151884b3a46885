#pragma once

#include <vector>

namespace quillotap::view {

// Rise and fall of displayed bars and their peak markers. Time is the audio
// time the analysed blocks cover, so the motion does not depend on how often
// the widget is painted.
class BarDynamics {
public:
    struct Motion {
        bool smoothFall = true;    // false: bars follow the signal at once
        double fallPer100Ms = 0.1; // fraction of full height per 100 ms
        double peakHoldMs = 2000;
    };

    // Feeds new levels (0..1, one per bar); a different bar count starts over.
    void update(const std::vector<float>& targets, double elapsedMs, const Motion& motion);
    void clear();

    const std::vector<float>& levels() const { return levels_; }
    const std::vector<float>& peaks() const { return peaks_; }

private:
    std::vector<float> levels_;
    std::vector<float> peaks_;
    std::vector<double> holdLeftMs_;
};

} // namespace quillotap::view
