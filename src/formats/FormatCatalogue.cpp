#include "formats/FormatCatalogue.h"

#include "audio/AudioFile.h"
#include "audio/MP3Lame.h"
#include "formats/OutputFormatSettings.h"

#include <QCoreApplication>

#include <cstdlib>

namespace quillotap {

namespace {

bool inList(int code) {
    return code >= 0 && code < int(OutputFormats.size());
}

// A whole number with the locale's digit grouping, whatever the locale's
// own number options say (the C locale omits grouping by default). Zero
// gives "", as the "#,###" pattern has no mandatory digit.
QString groupedNumber(qint64 value, const QLocale& locale) {
    if (value == 0)
        return {};
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(value);
}

// Hundredths as a decimal number with one or two decimals ("0.0#"): 300 is
// 3.0, 425 is 4.25, 0 is 0.0.
QString hundredthsOneOrTwoDecimals(int hundredths, const QLocale& locale) {
    const qint64 magnitude = std::llabs(qint64(hundredths));
    const qint64 whole = magnitude / 100;
    const qint64 fraction = magnitude % 100;
    QString text = hundredths < 0 ? QStringLiteral("-") : QString();
    text += QString::number(whole) + locale.decimalPoint();
    if (fraction % 10 == 0)
        text += QString::number(fraction / 10);
    else
        text += QStringLiteral("%1").arg(fraction, 2, 10, QLatin1Char('0'));
    return text;
}

} // namespace

QString FormatText(int code) {
    return inList(code) ? QString::fromLatin1(OutputFormats[size_t(code)].text) : QString();
}

QString FormatExtension(int code) {
    return FormatText(code).toLower();
}

bool FormatHasOptions(int code) {
    return code != FormatVOX;
}

QString Mp3Description(const QString& mp3FormatStr, int vbrCodingMethod) {
    // -1 is "No VBR"; every other method writes variable-bitrate frames.
    return vbrCodingMethod >= 0 ? mp3FormatStr + QStringLiteral(" VBR") : mp3FormatStr;
}

QString OggDescription(const OutputFormatSettings& s, const QLocale& locale) {
    const QString head = QStringLiteral("OGG ") + s.OGGFreq + QStringLiteral("; ") + s.OGGChMode +
                         QStringLiteral("; ");
    if (s.OGGchQuality)
        return head + QCoreApplication::translate("quillotap::FormatCatalogue", "Quality - ") +
               hundredthsOneOrTwoDecimals(s.OGGsldrQuality, locale);
    if (s.OGGchVbr)
        return head + QString::number(s.OGGsldrMinBitrate) + QLatin1Char('-') +
               QString::number(s.OGGsldrMaxBitrate) + QStringLiteral("Kbps");
    return head + QString::number(s.OGGsldrBitrate) +
           QCoreApplication::translate("quillotap::FormatCatalogue", " Kbps");
}

QString WavDescription(const OutputFormatSettings& s, const QLocale& locale) {
    return QStringLiteral("WAV ") + groupedNumber(s.WAVFreq, locale) +
           QCoreApplication::translate("quillotap::FormatCatalogue", " Hz; ") +
           (s.WAVChannel == 2
                ? QCoreApplication::translate("quillotap::FormatCatalogue", "Stereo; ")
                : QCoreApplication::translate("quillotap::FormatCatalogue", "Mono; ")) +
           QString::number(s.WAVBit) +
           QCoreApplication::translate("quillotap::FormatCatalogue", " bit");
}

QString VoxDescription() {
    return QCoreApplication::translate("quillotap::FormatCatalogue",
                                       "VOX Dialogic ADPCM 8,000 Hz; Mono; 4 bit");
}

QString FlacDescription(const OutputFormatSettings& s, const QLocale& locale) {
    return QCoreApplication::translate("FormatCatalogue", "FLAC %1 Hz; Stereo; %2 bit; Level %3")
        .arg(groupedNumber(44100, locale))
        .arg(s.FLACBit)
        .arg(s.FLACLevel);
}

QString OpusDescription(const OutputFormatSettings& s, const QLocale& locale) {
    // The stored tuning names ("Voice", "Music") are shown translated.
    const QString tuning = IsOpusVoice(s.OPUSMode)
                               ? QCoreApplication::translate("FormatCatalogue", "Voice")
                               : QCoreApplication::translate("FormatCatalogue", "Music");
    return QCoreApplication::translate("FormatCatalogue", "OPUS %1 Hz; Stereo; %2 Kbps; %3")
        .arg(groupedNumber(48000, locale))
        .arg(s.OPUSBitrate)
        .arg(tuning);
}

std::optional<QString> WmaDescription(const OutputFormatSettings& s, AudioFile& audioFile) {
    // Also puts the object's WMA parameters back on the saved profile, which
    // the WMA dialog changes while it lists the profiles.
    audioFile.SetWMAProfile(s.WMAProfile);
    const QString text = audioFile.GetFormatDescription();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

std::optional<QString> DescribeOutputFormat(int code, const QString& mp3FormatStr,
                                            const MP3Lame& lame,
                                            const OutputFormatSettings& settings,
                                            AudioFile& audioFile, const QLocale& locale) {
    switch (code) {
    case FormatMP3:
        return Mp3Description(mp3FormatStr, lame.VbrCodingMethod);
    case FormatWMA:
        return WmaDescription(settings, audioFile);
    case FormatOGG:
        return OggDescription(settings, locale);
    case FormatWAV:
        return WavDescription(settings, locale);
    case FormatVOX:
        return VoxDescription();
    case FormatFLAC:
        return FlacDescription(settings, locale);
    case FormatOPUS:
        return OpusDescription(settings, locale);
    default:
        return std::nullopt;
    }
}

} // namespace quillotap
