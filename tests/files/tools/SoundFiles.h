#pragma once

// Short sound files of every output format for the converter and tag editor
// tests, and a way to read one back whole.
#include "audio/AudioFile.h"
#include "audio/MP3Lame.h"
#include "formats/OutputFormatSettings.h"
#include "formats/WriterFormatSettings.h"
#include "support/ToneAnalysis.h"

#include <QFile>
#include <QString>
#include <QStringList>

namespace quillotap::test {

inline const QStringList& AllExtensions() {
    static const QStringList all{"mp3", "wma", "ogg", "wav", "vox", "flac", "opus"};
    return all;
}

// `seconds` of a 440 Hz tone, 44.1 kHz stereo in, written with the given
// (by default the default) format settings.
inline bool WriteTone(const QString& path, double seconds, const MP3Lame& lame = MP3Lame{},
                      const OutputFormatSettings& settings = OutputFormatSettings{}) {
    AudioFile writer;
    ApplyFormatSettingsToWriter(lame, settings, writer);
    writer.CreateForWriting(path, 0);
    if (writer.GetStatus() < 0)
        return false;
    writer.SetInputFormat(44100, 2);
    const bool ok = writer.WriteSamples(makeTone(440.0, 44100, 2, qint64(seconds * 44100), 0.5));
    writer.Close();
    return ok && writer.GetWriteError().isEmpty();
}

struct Decoded {
    bool opened = false;
    int rate = 0;
    int channels = 0;
    SampleBlock samples;
    qint64 frames() const { return channels ? qint64(samples.size()) / channels : 0; }
    double seconds() const { return rate ? double(frames()) / rate : 0.0; }
    double frequency() const { return dominantFrequency(samples, rate, channels); }
};

inline Decoded DecodeAll(const QString& path) {
    Decoded out;
    AudioFile reader;
    reader.OpenForReading(path, 0, 1);
    if (reader.GetStatus() < 0)
        return out;
    out.opened = true;
    out.rate = reader.GetSampleRate();
    out.channels = reader.GetChannels();
    for (;;) {
        const SampleBlock block = reader.ReadSamples(65536);
        if (block.empty())
            break;
        out.samples.insert(out.samples.end(), block.begin(), block.end());
    }
    return out;
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace quillotap::test
