#include "CodecTestSupport.h"

#include <QFile>

#include <algorithm>

namespace quillotap::test {

Decoded decodeFile(const QString& path, int blockElements) {
    Decoded out;
    AudioFile reader;
    reader.SetOpenMode(2);
    reader.OpenForReading(path, 0, 1);
    out.status = reader.GetStatus();
    out.error = reader.GetErrorText();
    if (out.status < 0)
        return out;
    out.sampleRate = reader.GetSampleRate();
    out.channels = reader.GetFrameWidth();
    out.length = reader.GetLength();
    // Far more blocks than any test file holds.
    for (int i = 0; i < 100000; ++i) {
        const SampleBlock block = reader.ReadSamples(blockElements);
        if (block.empty())
            break;
        out.samples.insert(out.samples.end(), block.begin(), block.end());
    }
    return out;
}

bool writeTone(AudioFile& file, double frequency, double seconds, int sampleRate, int channels) {
    const SampleBlock second = makeTone(frequency, sampleRate, channels, sampleRate);
    qint64 left = qint64(seconds * sampleRate);
    while (left > 0) {
        const qint64 n = std::min<qint64>(left, sampleRate);
        SampleBlock block(second.begin(), second.begin() + n * channels);
        if (!file.WriteSamples(block))
            return false;
        left -= n;
    }
    return true;
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

} // namespace quillotap::test
