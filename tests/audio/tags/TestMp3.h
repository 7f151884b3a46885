#pragma once

#include <QByteArray>
#include <QString>

namespace quillotap::test {

// Writes a short untagged MP3 file (a 440 Hz tone) with libmp3lame, so the
// tag tests do not depend on the program's own encoder.
bool writeUntaggedMp3(const QString& path, double seconds = 0.5, int sampleRate = 44100,
                      int channels = 2);

QByteArray fileBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

// Byte offset where the audio starts, after any ID3v2 tag (read with TagLib).
qint64 audioStart(const QString& path);

} // namespace quillotap::test
