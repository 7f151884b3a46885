#pragma once

#include <QString>

namespace quillotap {

// The numbered WMA encoding profiles offered to the user.
struct WmaProfile {
    int bitrateKbps;
    int sampleRate;
    int channels;
};

constexpr int kWmaProfileCount = 47;
constexpr int kWmaNormalProfile = 10;  // normal quality, normal size
constexpr int kWmaDefaultProfile = 14; // good quality, small size
constexpr int kWmaSmallProfile = 35;   // poor quality, very small size

// Profile 1..47; the default profile for other numbers.
WmaProfile wmaProfile(int number);
bool isWmaProfile(int number);
// "WMA 64 kbps, 44,100 Hz, stereo (good quality, small size)".
QString describeWmaProfile(int number);

} // namespace quillotap
