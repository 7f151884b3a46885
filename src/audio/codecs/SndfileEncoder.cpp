#include "audio/codecs/SndfileEncoder.h"

#include "audio/codecs/FormatText.h"

#include <sndfile.h>

#include <QCoreApplication>
#include <algorithm>
#include <optional>
#include <unistd.h>
#include <vector>

namespace quillotap {

namespace {

class SndfileEncoder final : public AudioEncoder {
public:
    SndfileEncoder(std::unique_ptr<OutputFile> file, SNDFILE* sf, int rate, int channels,
                   bool pairSamples)
        : pairSamples_(pairSamples), file_(std::move(file)), sf_(sf), rate_(rate),
          channels_(channels) {}
    ~SndfileEncoder() override { finish(); }

    int sampleRate() const override { return rate_; }
    int channels() const override { return channels_; }
    QString errorText() const override { return file_->errorText(); }

    bool write(const int16_t* samples, qint64 frames) override {
        if (!sf_ || file_->failed())
            return false;
        if (!pairSamples_)
            return writeFrames(samples, frames);
        // Dialogic ADPCM stores two samples per byte, and libsndfile pads an
        // odd write with a stale sample (reporting one frame more than asked).
        // So an odd last sample waits for the next block.
        std::vector<int16_t> joined;
        const int16_t* data = samples;
        qint64 count = frames;
        if (held_ && frames > 0) {
            joined.reserve(size_t(frames) + 1);
            joined.push_back(*held_);
            joined.insert(joined.end(), samples, samples + frames);
            held_.reset();
            data = joined.data();
            count = frames + 1;
        }
        if (count % 2 != 0) {
            held_ = data[count - 1];
            --count;
        }
        return writeFrames(data, count);
    }

    bool finish() override {
        if (!sf_)
            return !file_->failed();
        if (held_) {
            // The last odd sample goes out with a silent partner.
            const int16_t pair[2] = {*held_, 0};
            held_.reset();
            writeFrames(pair, 2);
        }
        // sf_close rewrites the header with the final sizes.
        sf_close(sf_);
        sf_ = nullptr;
        file_->close();
        return !file_->failed();
    }

private:
    const bool pairSamples_; // mono Dialogic ADPCM: write whole bytes only
    bool writeFrames(const int16_t* samples, qint64 frames) {
        if (frames <= 0)
            return file_->checkStillLinked();
        const sf_count_t written = sf_writef_short(sf_, samples, sf_count_t(frames));
        if (file_->failed())
            return false;
        if (written < sf_count_t(frames)) {
            file_->setError(QString::fromLocal8Bit(sf_strerror(sf_)));
            return false;
        }
        return file_->checkStillLinked();
    }

    std::unique_ptr<OutputFile> file_;
    SNDFILE* sf_;
    int rate_;
    int channels_;
    std::optional<int16_t> held_;
};

// libsndfile writes through these callbacks into the OutputFile, so every
// failed write is caught there (libsndfile's codecs do not all report short
// writes themselves).
sf_count_t fileLength(void* user) {
    return static_cast<OutputFile*>(user)->size();
}
sf_count_t fileSeek(sf_count_t offset, int whence, void* user) {
    return static_cast<OutputFile*>(user)->seek(offset, whence);
}
sf_count_t fileRead(void* ptr, sf_count_t count, void* user) {
    const ssize_t n = ::read(static_cast<OutputFile*>(user)->fd(), ptr, size_t(count));
    return n < 0 ? 0 : sf_count_t(n);
}
sf_count_t fileWrite(const void* ptr, sf_count_t count, void* user) {
    return static_cast<OutputFile*>(user)->write(ptr, size_t(count)) ? count : 0;
}
sf_count_t fileTell(void* user) {
    return static_cast<OutputFile*>(user)->seek(0, SEEK_CUR);
}

SF_VIRTUAL_IO kFileIo{fileLength, fileSeek, fileRead, fileWrite, fileTell};

std::unique_ptr<AudioEncoder> openSndfile(std::unique_ptr<OutputFile> file, int format, int rate,
                                          int channels, QString* error,
                                          std::optional<double> compression = std::nullopt) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    if (!sf_format_check(&info)) {
        *error = QCoreApplication::translate("quillotap::SndfileEncoder",
                                             "This sample format cannot be written.");
        return nullptr;
    }
    SNDFILE* sf = sf_open_virtual(&kFileIo, SFM_WRITE, &info, file.get());
    if (!sf) {
        *error = file->failed() ? file->errorText()
                                : QCoreApplication::translate("quillotap::SndfileEncoder",
                                                              "The file could not be started: %1")
                                      .arg(QString::fromLocal8Bit(sf_strerror(nullptr)));
        return nullptr;
    }
    if (compression) {
        double level = *compression;
        sf_command(sf, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    } else {
        // Keep the header valid as the file grows, so the file can be read
        // (and survives a crash) at any moment. FLAC needs no such rewrite:
        // its frames stand on their own.
        sf_command(sf, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    }
    const bool pairSamples = (format & SF_FORMAT_SUBMASK) == SF_FORMAT_VOX_ADPCM;
    return std::make_unique<SndfileEncoder>(std::move(file), sf, rate, channels, pairSamples);
}

} // namespace

std::unique_ptr<AudioEncoder> createWavEncoder(std::unique_ptr<OutputFile> file,
                                               const WavSettings& s, QString* error) {
    const int rate = std::clamp(s.sampleRate, 1000, 384000);
    const int channels = s.channels == 1 ? 1 : 2;
    const int subtype = s.bitsPerSample == 8 ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_16;
    return openSndfile(std::move(file), SF_FORMAT_WAV | subtype, rate, channels, error);
}

std::unique_ptr<AudioEncoder> createVoxEncoder(std::unique_ptr<OutputFile> file, QString* error) {
    return openSndfile(std::move(file), SF_FORMAT_RAW | SF_FORMAT_VOX_ADPCM, 8000, 1, error);
}

std::unique_ptr<AudioEncoder> createFlacEncoder(std::unique_ptr<OutputFile> file,
                                                const FlacSettings& s, QString* error) {
    const int subtype = s.bitsPerSample == 24 ? SF_FORMAT_PCM_24 : SF_FORMAT_PCM_16;
    // libsndfile takes the level as 0.0..1.0 and maps it onto libFLAC's 0..8.
    const double level = double(std::clamp(s.compressionLevel, 0, 8)) / 8.0;
    return openSndfile(std::move(file), SF_FORMAT_FLAC | subtype, kFlacSampleRate, kFlacChannels,
                       error, level);
}

QString describeFlac(const FlacSettings& s) {
    return QStringLiteral("FLAC %1 Hz; Stereo; %2 bit; Level %3")
        .arg(groupedNumber(kFlacSampleRate))
        .arg(s.bitsPerSample == 24 ? 24 : 16)
        .arg(std::clamp(s.compressionLevel, 0, 8));
}

QString describeWav(const WavSettings& s) {
    return QCoreApplication::translate("quillotap::SndfileEncoder", "WAV %1 Hz; %2; %3 bit")
        .arg(groupedNumber(s.sampleRate),
             s.channels == 2 ? QCoreApplication::translate("quillotap::SndfileEncoder", "Stereo")
                             : QCoreApplication::translate("quillotap::SndfileEncoder", "Mono"))
        .arg(s.bitsPerSample);
}

QString describeVox() {
    return QCoreApplication::translate("quillotap::SndfileEncoder",
                                       "VOX Dialogic ADPCM 8,000 Hz; Mono; 4 bit");
}

} // namespace quillotap
