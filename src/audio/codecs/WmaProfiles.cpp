#include "audio/codecs/WmaProfiles.h"

#include "audio/codecs/FormatText.h"

#include <QCoreApplication>
#include <array>

namespace quillotap {

namespace {

// Stereo from 320 kbit/s down, then mono from 128 kbit/s down, then the
// low-rate stereo profiles. FFmpeg's WMA v2 encoder needs 24 kbit/s at least.
constexpr std::array<WmaProfile, kWmaProfileCount> kProfiles{{
    {320, 48000, 2}, {320, 44100, 2}, {256, 48000, 2}, {256, 44100, 2}, {192, 48000, 2},
    {192, 44100, 2}, {160, 48000, 2}, {160, 44100, 2}, {128, 48000, 2}, {128, 44100, 2},
    {96, 48000, 2},  {96, 44100, 2},  {80, 44100, 2},  {64, 44100, 2},  {64, 48000, 2},
    {64, 32000, 2},  {56, 32000, 2},  {48, 44100, 2},  {48, 32000, 2},  {48, 22050, 2},
    {40, 32000, 2},  {40, 22050, 2},  {32, 32000, 2},  {32, 22050, 2},  {32, 16000, 2},
    {128, 44100, 1}, {96, 44100, 1},  {80, 44100, 1},  {64, 44100, 1},  {64, 32000, 1},
    {48, 44100, 1},  {48, 32000, 1},  {48, 22050, 1},  {40, 22050, 1},  {32, 22050, 1},
    {32, 16000, 1},  {32, 11025, 1},  {32, 8000, 1},   {24, 22050, 1},  {24, 16000, 1},
    {24, 11025, 1},  {24, 8000, 1},   {32, 11025, 2},  {24, 22050, 2},  {24, 16000, 2},
    {24, 11025, 2},  {24, 8000, 2},
}};

} // namespace

bool isWmaProfile(int number) {
    return number >= 1 && number <= kWmaProfileCount;
}

WmaProfile wmaProfile(int number) {
    return kProfiles[size_t((isWmaProfile(number) ? number : kWmaDefaultProfile) - 1)];
}

QString describeWmaProfile(int number) {
    const WmaProfile p = wmaProfile(number);
    QString text = QCoreApplication::translate("quillotap::WmaProfiles", "WMA %1 kbps, %2 Hz, %3")
                       .arg(p.bitrateKbps)
                       .arg(groupedNumber(p.sampleRate))
                       .arg(p.channels == 1 ? QStringLiteral("mono") : QStringLiteral("stereo"));
    if (number == kWmaNormalProfile)
        text +=
            QCoreApplication::translate("quillotap::WmaProfiles", " (normal quality, normal size)");
    else if (number == kWmaDefaultProfile)
        text +=
            QCoreApplication::translate("quillotap::WmaProfiles", " (good quality, small size)");
    else if (number == kWmaSmallProfile)
        text += QCoreApplication::translate("quillotap::WmaProfiles",
                                            " (poor quality, very small size)");
    return text;
}

} // namespace quillotap
