#include "formats/Mp3Settings.h"

#include "audio/AudioFile.h"
#include "audio/MP3Lame.h"
#include "settings/SettingsSchema.h"

#include <QDate>

namespace quillotap {

QString LoadMp3Settings(MP3Lame& lame, AudioFile& audioFile) {
    lame = MP3Lame{};
    lame.SampleRate = ReadOption(option::MP3Freq);
    lame.Quality = ReadOption(option::MP3Quality);
    lame.Bitrate = ReadOption(option::MP3Bitrate);
    lame.VbrBitrate = ReadOption(option::MP3VbrBitrate);
    lame.VbrQuality = ReadOption(option::MP3VbrQuality);
    lame.VbrCodingMethod = ReadOption(option::MP3VbrCodingMethod);
    lame.AbrBitrate = ReadOption(option::MP3AbrBitrate);
    lame.Channels = ReadOption(option::MP3Channels);
    lame.TypeStereo = ReadOption(option::MP3TypeStereo);
    lame.WritingVBRHeader = ReadOption(option::MP3WritingVBRHeader);
    lame.StrictlyEnforceMinBitrate = ReadOption(option::MP3StrictlyEnforceMinBitrate);
    audioFile.SetMP3Encoder(lame);
    return RefreshMp3FormatStr(audioFile);
}

QString RefreshMp3FormatStr(const AudioFile& audioFile) {
    QString text = audioFile.GetFormatDescription();
    text.replace(QLatin1String("kHz"), QLatin1String("Hz"));
    if (text.endsWith(QLatin1String("; ")))
        text.chop(2);
    return text;
}

ID3Defaults LoadId3Defaults() {
    ID3Defaults d;
    d.Title = ReadOption(option::ID3_Title);
    d.Artist = ReadOption(option::ID3_Artist);
    d.Album = ReadOption(option::ID3_Album);
    d.Genre = ReadOption(option::ID3_Genre);
    d.Year = ReadOption(option::ID3_Year);
    d.Track = ReadOption(option::ID3_Track);
    d.Comment = ReadOption(option::ID3_Comment);
    if (d.Year.isEmpty())
        d.Year = QString::number(QDate::currentDate().year());
    return d;
}

void SaveMp3Settings(const MP3Lame& lame) {
    WriteOption(option::MP3Freq, lame.SampleRate);
    WriteOption(option::MP3Quality, lame.Quality);
    WriteOption(option::MP3Bitrate, lame.Bitrate);
    WriteOption(option::MP3VbrBitrate, lame.VbrBitrate);
    WriteOption(option::MP3VbrQuality, lame.VbrQuality);
    WriteOption(option::MP3VbrCodingMethod, lame.VbrCodingMethod);
    WriteOption(option::MP3AbrBitrate, lame.AbrBitrate);
    WriteOption(option::MP3Channels, lame.Channels);
    WriteOption(option::MP3TypeStereo, lame.TypeStereo);
    WriteOption(option::MP3WritingVBRHeader, lame.WritingVBRHeader);
    WriteOption(option::MP3StrictlyEnforceMinBitrate, lame.StrictlyEnforceMinBitrate);
}

} // namespace quillotap
