#pragma once

#include <QString>
#include <QStringList>

namespace quillotap {

class AudioFile;

// The OGG, WAV, WMA, FLAC and Opus options, held in memory for the program's lifetime.
// Filled at start-up from the settings, changed by the format dialogs, and
// written back when the program closes. Field names are the setting names.
struct OutputFormatSettings {
    QString OGGFreq = QStringLiteral("44,100 Hz");
    QString OGGChMode = QStringLiteral("Stereo");
    int OGGsldrBitrate = 128;
    int OGGsldrMinBitrate = 128;
    int OGGsldrMaxBitrate = 128;
    int OGGsldrQuality = 300; // hundredths: 300 = quality 3.00
    bool OGGchVbr = false;
    bool OGGchQuality = false;
    int WAVFreq = 44100;
    int WAVChannel = 2;
    int WAVBit = 16;
    int WMAProfile = 14;
    int FLACLevel = 5;                          // compression level 0..8
    int FLACBit = 16;                           // 16 or 24
    int OPUSBitrate = 96;                       // kbit/s, 6..256
    QString OPUSMode = QStringLiteral("Music"); // "Music" or "Voice"
};

// The six OGG sample-rate texts in list order, and the rate of one (0 when the
// text is not one of them).
const QStringList& OggFrequencyTexts();
int OggFrequencyValue(const QString& text);

// Start-up loads: read the stored values over the defaults and hand the
// parameters to the audio-file object. Values are taken as stored, except
// an OGG rate that is not one of the six texts and a WMA profile outside
// 1..47, which give the defaults (44,100 Hz, profile 14).
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

// Writes "WMAProfile", "WAVFreq", "WAVChannel", "WAVBit", the eight OGG
// values, then "FLACLevel", "FLACBit", "OPUSBitrate" and "OPUSMode", in that
// order.
void SaveOutputFormatSettings(const OutputFormatSettings& settings);

// Setting-text conversions shared by the loaders: a whole number, or a
// Boolean stored as True/False (or a number). Empty or unconvertible text
// leaves `value` as it is and returns false.
bool ReadIntSetting(const QString& name, int& value);
bool ReadBoolSetting(const QString& name, bool& value);
QString BoolText(bool value);

} // namespace quillotap
