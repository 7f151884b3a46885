#include "TestMp3.h"

#include "support/ToneAnalysis.h"

#include <QFile>
#include <lame/lame.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <vector>

namespace quillotap::test {

bool writeUntaggedMp3(const QString& path, double seconds, int sampleRate, int channels) {
    const auto frames = static_cast<qint64>(seconds * sampleRate);
    SampleBlock pcm = makeTone(440.0, sampleRate, channels, frames, 0.5);

    lame_global_flags* gf = lame_init();
    if (!gf)
        return false;
    lame_set_in_samplerate(gf, sampleRate);
    lame_set_num_channels(gf, channels);
    lame_set_mode(gf, channels == 1 ? MONO : JOINT_STEREO);
    lame_set_brate(gf, 128);
    lame_set_bWriteVbrTag(gf, 0);
    lame_set_write_id3tag_automatic(gf, 0);
    if (lame_init_params(gf) < 0) {
        lame_close(gf);
        return false;
    }
    std::vector<unsigned char> out(static_cast<size_t>(1.25 * frames + 7200 + 16384));
    int size = 0;
    if (channels == 1)
        size = lame_encode_buffer(gf, pcm.data(), pcm.data(), static_cast<int>(frames), out.data(),
                                  static_cast<int>(out.size()));
    else
        size = lame_encode_buffer_interleaved(gf, pcm.data(), static_cast<int>(frames), out.data(),
                                              static_cast<int>(out.size()));
    if (size < 0) {
        lame_close(gf);
        return false;
    }
    const int tail = lame_encode_flush(gf, out.data() + size, static_cast<int>(out.size()) - size);
    lame_close(gf);
    if (tail < 0)
        return false;
    return writeBytes(path, QByteArray(reinterpret_cast<const char*>(out.data()), size + tail));
}

QByteArray fileBytes(const QString& path) {
    if (path.isEmpty())
        return {};
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

qint64 audioStart(const QString& path) {
    TagLib::MPEG::File file(QFile::encodeName(path).constData(), false);
    if (!file.hasID3v2Tag())
        return 0;
    return file.ID3v2Tag()->header()->completeTagSize();
}

} // namespace quillotap::test
