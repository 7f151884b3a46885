#include "BarDynamics.h"

#include <algorithm>

namespace quillotap::view {

void BarDynamics::clear() {
    levels_.clear();
    peaks_.clear();
    holdLeftMs_.clear();
}

void BarDynamics::update(const std::vector<float>& targets, double elapsedMs,
                         const Motion& motion) {
    if (targets.size() != levels_.size()) {
        levels_.assign(targets.size(), 0.0f);
        peaks_.assign(targets.size(), 0.0f);
        holdLeftMs_.assign(targets.size(), 0.0);
    }
    elapsedMs = std::max(elapsedMs, 0.0);
    const float fall = static_cast<float>(motion.fallPer100Ms * elapsedMs / 100.0);

    for (size_t i = 0; i < targets.size(); ++i) {
        const float target = std::clamp(targets[i], 0.0f, 1.0f);
        float& level = levels_[i];
        if (target >= level || !motion.smoothFall)
            level = target;
        else
            level = std::max(target, level - fall);

        float& peak = peaks_[i];
        double& hold = holdLeftMs_[i];
        if (level >= peak) {
            peak = level;
            hold = motion.peakHoldMs;
            continue;
        }
        // The hold time runs out first; what is left of this block lets the
        // marker fall.
        const double fallingMs = std::max(0.0, elapsedMs - hold);
        hold = std::max(0.0, hold - elapsedMs);
        const float peakFall = static_cast<float>(motion.fallPer100Ms * fallingMs / 100.0);
        peak = std::max(level, peak - peakFall);
    }
}

} // namespace quillotap::view
