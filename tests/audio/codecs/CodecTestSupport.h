#pragma once

#include <QtGlobal>

#include "audio/AudioFile.h"
#include "support/ToneAnalysis.h"

#include <QByteArray>
#include <QString>

namespace quillotap::test {

// Everything one AudioFile reads from a file, up to its end.
struct Decoded {
    int status = 0;
    QString error;
    int sampleRate = 0;
    int channels = 0;
    qint64 length = 0;
    SampleBlock samples;
    qint64 frames() const { return channels ? qint64(samples.size()) / channels : 0; }
    double seconds() const { return sampleRate ? double(frames()) / sampleRate : 0; }
};

// Opens the file and reads it to the end in blocks (bounded, so a reader that
// never reports the end fails the test instead of hanging it).
Decoded decodeFile(const QString& path, int blockElements = 8192);

// Writes `seconds` of a tone in one-second blocks in the given input format;
// false as soon as a block is refused.
bool writeTone(AudioFile& file, double frequency, double seconds, int sampleRate, int channels);

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);

} // namespace quillotap::test
