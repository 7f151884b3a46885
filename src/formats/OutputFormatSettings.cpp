#include "formats/OutputFormatSettings.h"

#include "audio/AudioFile.h"
#include "audio/codecs/WmaProfiles.h"
#include "settings/Settings.h"

#include <QStringList>

namespace quillotap {

const QStringList& OggFrequencyTexts() {
    static const QStringList texts{QStringLiteral("16,000 Hz"), QStringLiteral("22,050 Hz"),
                                   QStringLiteral("24,000 Hz"), QStringLiteral("32,000 Hz"),
                                   QStringLiteral("44,100 Hz"), QStringLiteral("48,000 Hz")};
    return texts;
}

int OggFrequencyValue(const QString& text) {
    static const int values[] = {16000, 22050, 24000, 32000, 44100, 48000};
    const qsizetype i = OggFrequencyTexts().indexOf(text);
    return i < 0 ? 0 : values[i];
}

bool ReadIntSetting(const QString& name, int& value) {
    const QString text = ReadSetting(name).trimmed();
    if (text.isEmpty())
        return false;
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        return false;
    value = v;
    return true;
}

bool ReadBoolSetting(const QString& name, bool& value) {
    const QString text = ReadSetting(name).trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        return false;
    value = v != 0;
    return true;
}

QString BoolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
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
    const OutputFormatSettings defaults;
    s.OGGFreq = defaults.OGGFreq;
    s.OGGChMode = defaults.OGGChMode;
    s.OGGsldrBitrate = s.OGGsldrMinBitrate = s.OGGsldrMaxBitrate = 128;
    s.OGGsldrQuality = 300;
    s.OGGchVbr = s.OGGchQuality = false;

    const QString freq = ReadSetting(QStringLiteral("OGGFreq"));
    if (OggFrequencyValue(freq) != 0)
        s.OGGFreq = freq;
    const QString mode = ReadSetting(QStringLiteral("OGGChMode"));
    if (!mode.isEmpty())
        s.OGGChMode = mode;
    ReadIntSetting(QStringLiteral("OGGsldrBitrate"), s.OGGsldrBitrate);
    ReadIntSetting(QStringLiteral("OGGsldrMinBitrate"), s.OGGsldrMinBitrate);
    ReadIntSetting(QStringLiteral("OGGsldrMaxBitrate"), s.OGGsldrMaxBitrate);
    ReadIntSetting(QStringLiteral("OGGsldrQuality"), s.OGGsldrQuality);
    ReadBoolSetting(QStringLiteral("OGGchVbr"), s.OGGchVbr);
    ReadBoolSetting(QStringLiteral("OGGchQuality"), s.OGGchQuality);
    ApplyOggToAudioFile(s, audioFile);
}

void LoadWavSettings(OutputFormatSettings& s, AudioFile& audioFile) {
    s.WAVFreq = 44100;
    s.WAVChannel = 2;
    s.WAVBit = 16;
    ReadIntSetting(QStringLiteral("WAVFreq"), s.WAVFreq);
    ReadIntSetting(QStringLiteral("WAVChannel"), s.WAVChannel);
    ReadIntSetting(QStringLiteral("WAVBit"), s.WAVBit);
    audioFile.SetWAVFormat(s.WAVFreq, s.WAVChannel, s.WAVBit);
}

void LoadWmaSettings(OutputFormatSettings& s, AudioFile& audioFile) {
    s.WMAProfile = kWmaDefaultProfile;
    ReadIntSetting(QStringLiteral("WMAProfile"), s.WMAProfile);
    // The audio-file object ignores a number that is no profile; keeping it
    // here would leave the setting and the recordings on different profiles.
    if (!isWmaProfile(s.WMAProfile))
        s.WMAProfile = kWmaDefaultProfile;
    audioFile.SetWMAProfile(s.WMAProfile);
}

QString OpusModeText(bool voice) {
    return voice ? QStringLiteral("Voice") : QStringLiteral("Music");
}

bool IsOpusVoice(const QString& mode) {
    return mode == QLatin1String("Voice");
}

void LoadFlacSettings(OutputFormatSettings& s, AudioFile& audioFile) {
    const OutputFormatSettings defaults;
    s.FLACLevel = defaults.FLACLevel;
    s.FLACBit = defaults.FLACBit;
    int level = s.FLACLevel;
    if (ReadIntSetting(QStringLiteral("FLACLevel"), level) && level >= 0 && level <= 8)
        s.FLACLevel = level;
    int bits = s.FLACBit;
    if (ReadIntSetting(QStringLiteral("FLACBit"), bits) && (bits == 16 || bits == 24))
        s.FLACBit = bits;
    audioFile.SetFLACFormat(s.FLACLevel, s.FLACBit);
}

void LoadOpusSettings(OutputFormatSettings& s, AudioFile& audioFile) {
    const OutputFormatSettings defaults;
    s.OPUSBitrate = defaults.OPUSBitrate;
    s.OPUSMode = defaults.OPUSMode;
    int bitrate = s.OPUSBitrate;
    if (ReadIntSetting(QStringLiteral("OPUSBitrate"), bitrate) && bitrate >= 6 && bitrate <= 256)
        s.OPUSBitrate = bitrate;
    const QString mode = ReadSetting(QStringLiteral("OPUSMode")).trimmed();
    if (mode == OpusModeText(true) || mode == OpusModeText(false))
        s.OPUSMode = mode;
    audioFile.SetOpusFormat(s.OPUSBitrate, IsOpusVoice(s.OPUSMode));
}

void SaveOutputFormatSettings(const OutputFormatSettings& s) {
    WriteSetting(QStringLiteral("WMAProfile"), QString::number(s.WMAProfile));
    WriteSetting(QStringLiteral("WAVFreq"), QString::number(s.WAVFreq));
    WriteSetting(QStringLiteral("WAVChannel"), QString::number(s.WAVChannel));
    WriteSetting(QStringLiteral("WAVBit"), QString::number(s.WAVBit));
    WriteSetting(QStringLiteral("OGGFreq"), s.OGGFreq);
    WriteSetting(QStringLiteral("OGGChMode"), s.OGGChMode);
    WriteSetting(QStringLiteral("OGGsldrBitrate"), QString::number(s.OGGsldrBitrate));
    WriteSetting(QStringLiteral("OGGsldrMinBitrate"), QString::number(s.OGGsldrMinBitrate));
    WriteSetting(QStringLiteral("OGGsldrMaxBitrate"), QString::number(s.OGGsldrMaxBitrate));
    WriteSetting(QStringLiteral("OGGsldrQuality"), QString::number(s.OGGsldrQuality));
    WriteSetting(QStringLiteral("OGGchVbr"), BoolText(s.OGGchVbr));
    WriteSetting(QStringLiteral("OGGchQuality"), BoolText(s.OGGchQuality));
    WriteSetting(QStringLiteral("FLACLevel"), QString::number(s.FLACLevel));
    WriteSetting(QStringLiteral("FLACBit"), QString::number(s.FLACBit));
    WriteSetting(QStringLiteral("OPUSBitrate"), QString::number(s.OPUSBitrate));
    WriteSetting(QStringLiteral("OPUSMode"), s.OPUSMode);
}

} // namespace quillotap
