#include "formats/OutputFormatSettings.h"

#include "audio/AudioFile.h"
#include "settings/SettingsSchema.h"

#include <QStringList>

#include <iterator>

namespace quillotap {

const QStringList& OggFrequencyTexts() {
    static const QStringList texts = [] {
        QStringList list;
        for (const char* text : option::OggFrequencyTexts)
            list << QString::fromLatin1(text);
        return list;
    }();
    return texts;
}

int OggFrequencyValue(const QString& text) {
    static const int values[] = {16000, 22050, 24000, 32000, 44100, 48000};
    static_assert(std::size(values) == option::OggFrequencyTexts.size());
    const qsizetype i = OggFrequencyTexts().indexOf(text);
    return i < 0 ? 0 : values[i];
}

void ApplyOggToAudioFile(const OutputFormatSettings& s, AudioFile& audioFile) {
    const int rate = OggFrequencyValue(s.OGGFreq) ? OggFrequencyValue(s.OGGFreq) : 44100;
    const int channels = s.OGGChMode == QLatin1String("Mono") ? 1 : 2;
    if (s.OGGchQuality)
        audioFile.SetOGGFormat(rate, channels, 128, 0, 0, s.OGGsldrQuality);
    else if (s.OGGchVbr)
        audioFile.SetOGGFormat(rate, channels, s.OGGsldrBitrate, s.OGGsldrMinBitrate,
                               s.OGGsldrMaxBitrate, -1);
    else
        audioFile.SetOGGFormat(rate, channels, s.OGGsldrBitrate, 0, 0, -1);
}

void LoadOggSettings(OutputFormatSettings& s, AudioFile& audioFile) {
    s.OGGFreq = ReadOption(option::OGGFreq);
    s.OGGChMode = ReadOption(option::OGGChMode);
    s.OGGsldrBitrate = ReadOption(option::OGGsldrBitrate);
    s.OGGsldrMinBitrate = ReadOption(option::OGGsldrMinBitrate);
    s.OGGsldrMaxBitrate = ReadOption(option::OGGsldrMaxBitrate);
    s.OGGsldrQuality = ReadOption(option::OGGsldrQuality);
    s.OGGchVbr = ReadOption(option::OGGchVbr);
    s.OGGchQuality = ReadOption(option::OGGchQuality);
    ApplyOggToAudioFile(s, audioFile);
}

void LoadWavSettings(OutputFormatSettings& s, AudioFile& audioFile) {
    s.WAVFreq = ReadOption(option::WAVFreq);
    s.WAVChannel = ReadOption(option::WAVChannel);
    s.WAVBit = ReadOption(option::WAVBit);
    audioFile.SetWAVFormat(s.WAVFreq, s.WAVChannel, s.WAVBit);
}

void LoadWmaSettings(OutputFormatSettings& s, AudioFile& audioFile) {
    // A number that is no profile gives the default: the audio-file object
    // would ignore it, leaving the setting and the recordings on different
    // profiles.
    s.WMAProfile = ReadOption(option::WMAProfile);
    audioFile.SetWMAProfile(s.WMAProfile);
}

QString OpusModeText(bool voice) {
    return QString::fromLatin1(option::OpusModes[voice ? 1 : 0]);
}

bool IsOpusVoice(const QString& mode) {
    return mode == OpusModeText(true);
}

void LoadFlacSettings(OutputFormatSettings& s, AudioFile& audioFile) {
    s.FLACLevel = ReadOption(option::FLACLevel);
    s.FLACBit = ReadOption(option::FLACBit);
    audioFile.SetFLACFormat(s.FLACLevel, s.FLACBit);
}

void LoadOpusSettings(OutputFormatSettings& s, AudioFile& audioFile) {
    s.OPUSBitrate = ReadOption(option::OPUSBitrate);
    s.OPUSMode = ReadOption(option::OPUSMode);
    audioFile.SetOpusFormat(s.OPUSBitrate, IsOpusVoice(s.OPUSMode));
}

void SaveOutputFormatSettings(const OutputFormatSettings& s) {
    WriteOption(option::WMAProfile, s.WMAProfile);
    WriteOption(option::WAVFreq, s.WAVFreq);
    WriteOption(option::WAVChannel, s.WAVChannel);
    WriteOption(option::WAVBit, s.WAVBit);
    WriteOption(option::OGGFreq, s.OGGFreq);
    WriteOption(option::OGGChMode, s.OGGChMode);
    WriteOption(option::OGGsldrBitrate, s.OGGsldrBitrate);
    WriteOption(option::OGGsldrMinBitrate, s.OGGsldrMinBitrate);
    WriteOption(option::OGGsldrMaxBitrate, s.OGGsldrMaxBitrate);
    WriteOption(option::OGGsldrQuality, s.OGGsldrQuality);
    WriteOption(option::OGGchVbr, s.OGGchVbr);
    WriteOption(option::OGGchQuality, s.OGGchQuality);
    WriteOption(option::FLACLevel, s.FLACLevel);
    WriteOption(option::FLACBit, s.FLACBit);
    WriteOption(option::OPUSBitrate, s.OPUSBitrate);
    WriteOption(option::OPUSMode, s.OPUSMode);
}

} // namespace quillotap
