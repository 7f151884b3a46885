#pragma once

#include "settings/SettingsSchema.h"

#include <QString>
#include <QStringList>

namespace quillotap {

class AudioFile;

// The OGG, WAV, WMA, FLAC and Opus options, held in memory for the program's lifetime.
// Filled at start-up from the settings, changed by the format dialogs, and
// written back when the program closes. Field names are the setting names.
struct OutputFormatSettings {
    QString OGGFreq = QString::fromLatin1(option::OGGFreq.fallback);
    QString OGGChMode = QString::fromLatin1(option::OGGChMode.fallback);
    int OGGsldrBitrate = option::OGGsldrBitrate.fallback;
    int OGGsldrMinBitrate = option::OGGsldrMinBitrate.fallback;
    int OGGsldrMaxBitrate = option::OGGsldrMaxBitrate.fallback;
    int OGGsldrQuality = option::OGGsldrQuality.fallback; // hundredths: 300 = quality 3.00
    bool OGGchVbr = option::OGGchVbr.fallback;
    bool OGGchQuality = option::OGGchQuality.fallback;
    int WAVFreq = option::WAVFreq.fallback;
    int WAVChannel = option::WAVChannel.fallback;
    int WAVBit = option::WAVBit.fallback;
    int WMAProfile = option::WMAProfile.fallback;
    int FLACLevel = option::FLACLevel.fallback;                        // compression level 0..8
    int FLACBit = option::FLACBit.fallback;                            // 16 or 24
    int OPUSBitrate = option::OPUSBitrate.fallback;                    // kbit/s, 6..256
    QString OPUSMode = QString::fromLatin1(option::OPUSMode.fallback); // "Music" or "Voice"
};

// The six OGG sample-rate texts in list order, and the rate of one (0 when the
// text is not one of them).
const QStringList& OggFrequencyTexts();
int OggFrequencyValue(const QString& text);

// Start-up loads: read the stored values over the defaults and hand the
// parameters to the audio-file object. Values are taken as stored, except
// an OGG rate that is not one of the six texts, an OGG channel mode other
// than "Mono" or "Stereo" and a WMA profile outside 1..47, which give the
// defaults (44,100 Hz, stereo, profile 14).
void LoadOggSettings(OutputFormatSettings& settings, AudioFile& audioFile);
void LoadWavSettings(OutputFormatSettings& settings, AudioFile& audioFile);
void LoadWmaSettings(OutputFormatSettings& settings, AudioFile& audioFile);
// A stored value outside its range (level 0..8, 16 or 24 bit, 6..256 kbit/s,
// "Music" or "Voice") gives its default.
void LoadFlacSettings(OutputFormatSettings& settings, AudioFile& audioFile);
void LoadOpusSettings(OutputFormatSettings& settings, AudioFile& audioFile);

// The texts of the two Opus tunings, and whether one is the speech tuning.
QString OpusModeText(bool voice);
bool IsOpusVoice(const QString& mode);

// Hands the OGG fields to the audio-file object in the mode they select
// (quality mode wins over VBR, VBR over constant bitrate).
void ApplyOggToAudioFile(const OutputFormatSettings& settings, AudioFile& audioFile);

// Writes the WMA profile, the three WAV values, the eight OGG values, then
// the two FLAC and the two Opus values, in that order.
void SaveOutputFormatSettings(const OutputFormatSettings& settings);

} // namespace quillotap
