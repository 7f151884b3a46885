#pragma once

#include <QtGlobal>
#include <algorithm>

namespace quillotap {

// Format limits and block arithmetic shared by the recorder and the player.

// Both raise a Timer event after this much audio (of their own clock).
inline constexpr int kTimerIntervalMs = 100;

// Sample rates outside this range are refused as a format.
inline constexpr int kMinSampleRate = 1000;
inline constexpr int kMaxSampleRate = 384000;

inline bool IsValidStreamFormat(int sampleRate, int channels) {
    return sampleRate >= kMinSampleRate && sampleRate <= kMaxSampleRate && channels >= 1 &&
           channels <= 2;
}

// Interleaved elements in `milliseconds` of audio, clamped to what an int holds.
inline int ElementsFor(int sampleRate, int channels, qint64 milliseconds) {
    return int(
        std::clamp<qint64>(qint64(sampleRate) * channels * milliseconds / 1000, 0, 0x7fffffff));
}

} // namespace quillotap
