#include "audio/codecs/SndfileDecoder.h"

#include <QFile>

#include <sndfile.h>

#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace quillotap {

namespace {

SNDFILE* openFile(const QString& path, bool vox, SF_INFO* info) {
    *info = SF_INFO{};
    if (vox) {
        info->format = SF_FORMAT_RAW | SF_FORMAT_VOX_ADPCM;
        info->samplerate = 8000;
        info->channels = 1;
    }
    return sf_open(QFile::encodeName(path).constData(), SFM_READ, info);
}

// Frames in a file whose header does not state its length, found by
// decoding it once; -1 when it cannot be read.
sf_count_t countFrames(const QString& path) {
    SF_INFO info;
    SNDFILE* sf = openFile(path, false, &info);
    if (!sf)
        return -1;
    std::vector<short> scratch(size_t(8192) * size_t(std::max(info.channels, 1)));
    sf_count_t total = 0;
    for (sf_count_t n; (n = sf_readf_short(sf, scratch.data(), 8192)) > 0;)
        total += n;
    sf_close(sf);
    return total;
}

class SndfileDecoder final : public AudioDecoder {
public:
    SndfileDecoder(SNDFILE* sf, const SF_INFO& info, const QString& path, bool vox)
        : sf_(sf), path_(path), vox_(vox), rate_(info.samplerate), fileChannels_(info.channels),
          channels_(std::min(info.channels, 2)), length_(std::max<sf_count_t>(info.frames, 0)) {}
    ~SndfileDecoder() override {
        if (sf_)
            sf_close(sf_);
    }

    int sampleRate() const override { return rate_; }
    int channels() const override { return channels_; }
    qint64 length() const override { return length_; }

    qint64 read(int16_t* out, qint64 frames) override {
        if (frames <= 0 || !sf_)
            return 0;
        sf_count_t got;
        if (fileChannels_ == channels_) {
            got = sf_readf_short(sf_, out, sf_count_t(frames));
        } else {
            // More than two channels: keep the first two.
            scratch_.resize(size_t(frames) * size_t(fileChannels_));
            got = sf_readf_short(sf_, scratch_.data(), sf_count_t(frames));
            for (sf_count_t i = 0; i < got; ++i) {
                out[i * 2] = scratch_[size_t(i * fileChannels_)];
                out[i * 2 + 1] = scratch_[size_t(i * fileChannels_ + 1)];
            }
        }
        got = std::clamp<sf_count_t>(got, 0, sf_count_t(frames));
        position_ += got;
        return got;
    }

    qint64 seek(qint64 frame) override {
        if (!sf_)
            return -1;
        frame = std::clamp<qint64>(frame, 0, length_);
        const sf_count_t pos = sf_seek(sf_, sf_count_t(frame), SEEK_SET);
        if (pos >= 0) {
            position_ = pos;
            return position_;
        }
        return seekByDecoding(frame);
    }

private:
    // For codecs libsndfile cannot seek in (VOX ADPCM): start again from the
    // beginning when going back, then decode up to the target.
    qint64 seekByDecoding(qint64 frame) {
        if (frame < position_) {
            sf_close(sf_);
            SF_INFO info;
            sf_ = openFile(path_, vox_, &info);
            position_ = 0;
            if (!sf_ || info.channels != fileChannels_ || info.samplerate != rate_) {
                if (sf_)
                    sf_close(sf_);
                sf_ = nullptr;
                return -1;
            }
        }
        std::vector<int16_t> discard(size_t(8192) * size_t(channels_));
        while (position_ < frame) {
            if (read(discard.data(), std::min<qint64>(8192, frame - position_)) <= 0)
                break;
        }
        return position_;
    }

    SNDFILE* sf_;
    QString path_;
    bool vox_;
    int rate_;
    int fileChannels_;
    int channels_;
    qint64 length_;
    qint64 position_ = 0;
    std::vector<int16_t> scratch_;
};

} // namespace

std::unique_ptr<AudioDecoder> openSndfileDecoder(const QString& path, bool vox, QString* error) {
    SF_INFO info;
    SNDFILE* sf = openFile(path, vox, &info);
    if (!sf) {
        *error = QString::fromLocal8Bit(sf_strerror(nullptr));
        return nullptr;
    }
    // Without a recognised header libsndfile guesses a raw format from some
    // extensions; only VOX is meant to be read that way.
    const bool raw = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_RAW;
    // FLAC and Opus recordings that were still being written, or were cut
    // off by a crash, state no length; they are counted so that playback and
    // the time display see what they hold.
    const bool flac = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_FLAC;
    const bool opus = (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_OPUS;
    if ((flac || opus) && info.frames == SF_COUNT_MAX)
        info.frames = countFrames(path);
    if ((raw && !vox) || info.samplerate < 1 || info.samplerate > 1000000 || info.channels < 1 ||
        info.channels > 64 || info.frames < 0) {
        sf_close(sf);
        *error = QCoreApplication::translate("quillotap::SndfileDecoder",
                                             "The file's format is not recognised.");
        return nullptr;
    }
    return std::make_unique<SndfileDecoder>(sf, info, path, vox);
}

} // namespace quillotap
