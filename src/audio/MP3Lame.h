#pragma once

#include <QString>

namespace quillotap {

// The MP3 encoder settings. Plain read-write properties; AudioFile copies them
// when SetMP3Encoder is called, so later changes need another SetMP3Encoder.
class MP3Lame {
public:
    int SampleRate = 44100;      // Hz
    int Channels = 2;            // 1 mono, 2 any stereo mode
    int TypeStereo = 1;          // 1 stereo, 2 joint, 3 forced joint, 4 dual channels
    int Bitrate = 128;           // CBR kbit/s
    int Quality = 5;             // 0 best/slowest .. 9 fastest
    int VbrCodingMethod = -1;    // -1 none, 0 default, 1 old, 2 new, 3 MTRH, 4 ABR
    int VbrQuality = 7;          // 0..9
    int VbrBitrate = 192;        // maximum VBR bitrate kbit/s
    int AbrBitrate = 128;        // ABR target kbit/s
    bool WritingVBRHeader = true;
    bool StrictlyEnforceMinBitrate = false;

    // Sets all eleven properties to the values of preset 1..11
    // ("Phone", "SW", "AM", "FM", "Voice", "Radio", "Tape", "HiFi", "CD",
    // "Studio", "R3Mix"). Other numbers change nothing.
    void Preset(int number);

    // Name of preset 1..11, "" for other numbers.
    static QString PresetName(int number);

    bool operator==(const MP3Lame&) const = default;
};

} // namespace quillotap
