#include "formats/Mp3Settings.h"

#include "audio/AudioFile.h"
#include "audio/MP3Lame.h"
#include "formats/OutputFormatSettings.h"
#include "settings/Settings.h"

#include <QDate>

namespace quillotap {

QString LoadMp3Settings(MP3Lame& lame, AudioFile& audioFile) {
    lame = MP3Lame{};
    ReadIntSetting(QStringLiteral("MP3Freq"), lame.SampleRate);
    ReadIntSetting(QStringLiteral("MP3Quality"), lame.Quality);
    ReadIntSetting(QStringLiteral("MP3Bitrate"), lame.Bitrate);
    ReadIntSetting(QStringLiteral("MP3VbrBitrate"), lame.VbrBitrate);
    ReadIntSetting(QStringLiteral("MP3VbrQuality"), lame.VbrQuality);
    ReadIntSetting(QStringLiteral("MP3VbrCodingMethod"), lame.VbrCodingMethod);
    ReadIntSetting(QStringLiteral("MP3AbrBitrate"), lame.AbrBitrate);
    ReadIntSetting(QStringLiteral("MP3Channels"), lame.Channels);
    ReadIntSetting(QStringLiteral("MP3TypeStereo"), lame.TypeStereo);
    ReadBoolSetting(QStringLiteral("MP3WritingVBRHeader"), lame.WritingVBRHeader);
    ReadBoolSetting(QStringLiteral("MP3StrictlyEnforceMinBitrate"), lame.StrictlyEnforceMinBitrate);
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
    d.Title = ReadSetting(QStringLiteral("ID3_Title"));
    d.Artist = ReadSetting(QStringLiteral("ID3_Artist"));
    d.Album = ReadSetting(QStringLiteral("ID3_Album"));
    d.Genre = ReadSetting(QStringLiteral("ID3_Genre"));
    d.Year = ReadSetting(QStringLiteral("ID3_Year"));
    d.Track = ReadSetting(QStringLiteral("ID3_Track"));
    d.Comment = ReadSetting(QStringLiteral("ID3_Comment"));
    if (d.Year.isEmpty())
        d.Year = QString::number(QDate::currentDate().year());
    if (d.Track.isEmpty())
        d.Track = QStringLiteral("1");
    if (d.Genre.isEmpty())
        d.Genre = QStringLiteral("-1");
    return d;
}

void SaveMp3Settings(const MP3Lame& lame) {
    WriteSetting(QStringLiteral("MP3Freq"), QString::number(lame.SampleRate));
    WriteSetting(QStringLiteral("MP3Quality"), QString::number(lame.Quality));
    WriteSetting(QStringLiteral("MP3Bitrate"), QString::number(lame.Bitrate));
    WriteSetting(QStringLiteral("MP3VbrBitrate"), QString::number(lame.VbrBitrate));
    WriteSetting(QStringLiteral("MP3VbrQuality"), QString::number(lame.VbrQuality));
    WriteSetting(QStringLiteral("MP3VbrCodingMethod"), QString::number(lame.VbrCodingMethod));
    WriteSetting(QStringLiteral("MP3AbrBitrate"), QString::number(lame.AbrBitrate));
    WriteSetting(QStringLiteral("MP3Channels"), QString::number(lame.Channels));
    WriteSetting(QStringLiteral("MP3TypeStereo"), QString::number(lame.TypeStereo));
    WriteSetting(QStringLiteral("MP3WritingVBRHeader"), BoolText(lame.WritingVBRHeader));
    WriteSetting(QStringLiteral("MP3StrictlyEnforceMinBitrate"),
                 BoolText(lame.StrictlyEnforceMinBitrate));
}

} // namespace quillotap
