#include "audio/MP3Lame.h"

#include <array>

namespace quillotap {

namespace {

struct PresetValues {
    const char* name;
    int sampleRate;
    int channels;
    int typeStereo;
    int bitrate;
    int quality;
    int vbrCodingMethod;
    int vbrQuality;
    int vbrBitrate;
    int abrBitrate;
    bool writingVbrHeader;
    bool strictlyEnforceMinBitrate;
};

// From narrow-band speech to studio quality. The speech and broadcast presets
// are low-rate mono CBR; the music presets use joint stereo or stereo at
// 44.1/48 kHz; "R3Mix" is the well-known r3mix setting: MTRH VBR at quality 1,
// joint stereo, up to 320 kbit/s.
// Names that are words are translated where they are shown (context
// quillotap::MP3Lame); the others are the same in every language.
constexpr std::array<PresetValues, 11> kPresets{{
    {QT_TRANSLATE_NOOP("quillotap::MP3Lame", "Phone"), 8000, 1, 1, 16, 5, -1, 9, 32, 16, true,
     false},
    {"SW", 11025, 1, 1, 24, 5, -1, 8, 48, 24, true, false},
    {"AM", 16000, 1, 1, 32, 5, -1, 7, 56, 32, true, false},
    {"FM", 32000, 2, 2, 96, 5, -1, 6, 128, 96, true, false},
    {QT_TRANSLATE_NOOP("quillotap::MP3Lame", "Voice"), 22050, 1, 1, 56, 3, -1, 6, 96, 56, true,
     false},
    {QT_TRANSLATE_NOOP("quillotap::MP3Lame", "Radio"), 44100, 2, 2, 112, 5, -1, 5, 160, 112, true,
     false},
    {QT_TRANSLATE_NOOP("quillotap::MP3Lame", "Tape"), 44100, 2, 2, 128, 5, -1, 5, 192, 128, true,
     false},
    {"HiFi", 44100, 2, 2, 160, 3, -1, 4, 224, 160, true, false},
    {"CD", 44100, 2, 1, 192, 2, -1, 3, 256, 192, true, false},
    {QT_TRANSLATE_NOOP("quillotap::MP3Lame", "Studio"), 48000, 2, 1, 256, 2, -1, 2, 320, 256, true,
     false},
    {"R3Mix", 44100, 2, 2, 128, 2, 3, 1, 320, 192, true, false},
}};

} // namespace

void MP3Lame::Preset(int number) {
    if (number < 1 || number > int(kPresets.size()))
        return;
    const PresetValues& p = kPresets[size_t(number - 1)];
    SampleRate = p.sampleRate;
    Channels = p.channels;
    TypeStereo = p.typeStereo;
    Bitrate = p.bitrate;
    Quality = p.quality;
    VbrCodingMethod = p.vbrCodingMethod;
    VbrQuality = p.vbrQuality;
    VbrBitrate = p.vbrBitrate;
    AbrBitrate = p.abrBitrate;
    WritingVBRHeader = p.writingVbrHeader;
    StrictlyEnforceMinBitrate = p.strictlyEnforceMinBitrate;
}

QString MP3Lame::PresetName(int number) {
    if (number < 1 || number > int(kPresets.size()))
        return {};
    return QString::fromLatin1(kPresets[size_t(number - 1)].name);
}

} // namespace quillotap
