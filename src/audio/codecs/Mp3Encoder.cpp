#include "audio/codecs/Mp3Encoder.h"

#include "audio/codecs/FormatText.h"

#include <lame/lame.h>

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace quillotap {

namespace {

constexpr std::array<int, 9> kRates{8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
constexpr std::array<int, 14> kMpeg1Bitrates{32,  40,  48,  56,  64,  80,  96,
                                             112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 14> kMpeg2Bitrates{8,  16, 24, 32,  40,  48,  56,
                                             64, 80, 96, 112, 128, 144, 160};

// Bitrates differ between MPEG-1 (32 kHz and up) and MPEG-2/2.5; LAME refuses
// a VBR limit that its layer does not have, so limits are snapped first.
int nearestBitrate(int kbps, int sampleRate) {
    const auto& table = sampleRate >= 32000 ? kMpeg1Bitrates : kMpeg2Bitrates;
    int best = table.front();
    for (int b : table)
        if (std::abs(b - kbps) < std::abs(best - kbps))
            best = b;
    return best;
}

MPEG_mode stereoMode(int typeStereo) {
    switch (typeStereo) {
    case 2:
    case 3:
        return JOINT_STEREO;
    case 4:
        return DUAL_CHANNEL;
    default:
        return STEREO;
    }
}

vbr_mode vbrMode(int method) {
    switch (method) {
    case 0:
        return vbr_default;
    case 1:
        return vbr_rh;
    case 2:
        return vbr_mt;
    case 3:
        return vbr_mtrh;
    case 4:
        return vbr_abr;
    default:
        return vbr_off;
    }
}

class Mp3Encoder final : public AudioEncoder {
public:
    Mp3Encoder(std::unique_ptr<OutputFile> file, lame_t lame, int rate, int channels, bool writeTag)
        : file_(std::move(file)), lame_(lame), rate_(rate), channels_(channels),
          writeTag_(writeTag) {}
    ~Mp3Encoder() override { finish(); }

    int sampleRate() const override { return rate_; }
    int channels() const override { return channels_; }
    QString errorText() const override { return file_->errorText(); }

    bool write(const int16_t* samples, qint64 frames) override {
        if (!lame_ || file_->failed())
            return false;
        constexpr qint64 kChunk = 4096;
        std::vector<unsigned char> out(size_t(kChunk * 5 / 4 + 7200));
        for (qint64 done = 0; done < frames;) {
            const int n = int(std::min(kChunk, frames - done));
            short* pcm = const_cast<short*>(samples + done * channels_);
            const int bytes =
                channels_ == 2
                    ? lame_encode_buffer_interleaved(lame_, pcm, n, out.data(), int(out.size()))
                    : lame_encode_buffer(lame_, pcm, pcm, n, out.data(), int(out.size()));
            if (bytes < 0) {
                file_->setError(QCoreApplication::translate("quillotap::Mp3Encoder",
                                                            "The MP3 encoder failed (error %1).")
                                    .arg(bytes));
                return false;
            }
            if (bytes > 0 && !file_->write(out.data(), size_t(bytes)))
                return false;
            done += n;
        }
        return file_->checkStillLinked();
    }

    bool finish() override {
        if (!lame_)
            return !file_ || !file_->failed();
        std::vector<unsigned char> out(7200);
        const int bytes = lame_encode_flush(lame_, out.data(), int(out.size()));
        if (bytes > 0)
            file_->write(out.data(), size_t(bytes));
        // The first frame was written as a placeholder; now that the frame
        // count and sizes are known, LAME gives the real Xing/Info frame.
        if (writeTag_ && !file_->failed()) {
            std::vector<unsigned char> tag(2880);
            const size_t size = lame_get_lametag_frame(lame_, tag.data(), tag.size());
            if (size > 0 && size <= tag.size())
                file_->writeAt(0, tag.data(), size);
        }
        lame_close(lame_);
        lame_ = nullptr;
        file_->close();
        return !file_->failed();
    }

private:
    std::unique_ptr<OutputFile> file_;
    lame_t lame_;
    int rate_;
    int channels_;
    bool writeTag_;
};

} // namespace

int mp3SupportedSampleRate(int requested) {
    int best = kRates.front();
    for (int r : kRates)
        if (std::abs(r - requested) < std::abs(best - requested))
            best = r;
    return best;
}

std::unique_ptr<AudioEncoder> createMp3Encoder(std::unique_ptr<OutputFile> file, const MP3Lame& s,
                                               QString* error) {
    const int rate = mp3SupportedSampleRate(s.SampleRate);
    const int channels = s.Channels == 1 ? 1 : 2;
    lame_t lame = lame_init();
    if (!lame) {
        *error = QCoreApplication::translate("quillotap::Mp3Encoder",
                                             "The MP3 encoder could not be started.");
        return nullptr;
    }
    lame_set_num_channels(lame, channels);
    lame_set_in_samplerate(lame, rate);
    lame_set_out_samplerate(lame, rate);
    lame_set_mode(lame, channels == 1 ? MONO : stereoMode(s.TypeStereo));
    if (channels == 2 && s.TypeStereo == 3)
        lame_set_force_ms(lame, 1);
    lame_set_quality(lame, std::clamp(s.Quality, 0, 9));
    lame_set_write_id3tag_automatic(lame, 0); // tags are written separately
    lame_set_bWriteVbrTag(lame, s.WritingVBRHeader ? 1 : 0);

    const vbr_mode mode = vbrMode(s.VbrCodingMethod);
    lame_set_VBR(lame, mode);
    if (mode == vbr_off) {
        lame_set_brate(lame, nearestBitrate(s.Bitrate, rate));
    } else {
        const int maxRate = nearestBitrate(s.VbrBitrate, rate);
        int minRate = std::min(nearestBitrate(s.Bitrate, rate), maxRate);
        if (mode == vbr_abr) {
            const int mean = std::clamp(s.AbrBitrate, 8, 320);
            lame_set_VBR_mean_bitrate_kbps(lame, mean);
            minRate = std::min(minRate, nearestBitrate(mean, rate));
            if (maxRate >= mean)
                lame_set_VBR_max_bitrate_kbps(lame, maxRate);
        } else {
            lame_set_VBR_quality(lame, float(std::clamp(s.VbrQuality, 0, 9)));
            lame_set_VBR_max_bitrate_kbps(lame, maxRate);
        }
        lame_set_VBR_min_bitrate_kbps(lame, minRate);
        lame_set_VBR_hard_min(lame, s.StrictlyEnforceMinBitrate ? 1 : 0);
    }
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        *error = QCoreApplication::translate("quillotap::Mp3Encoder",
                                             "The MP3 encoder does not accept these settings.");
        return nullptr;
    }
    return std::make_unique<Mp3Encoder>(std::move(file), lame, rate, channels, s.WritingVBRHeader);
}

QString describeMp3(const MP3Lame& s) {
    static const char* const kModes[] = {
        QT_TRANSLATE_NOOP("quillotap::Mp3Encoder", "Stereo"),
        QT_TRANSLATE_NOOP("quillotap::Mp3Encoder", "Joint Stereo"),
        QT_TRANSLATE_NOOP("quillotap::Mp3Encoder", "Forced Joint Stereo"),
        QT_TRANSLATE_NOOP("quillotap::Mp3Encoder", "Dual Channels")};
    QString text = QCoreApplication::translate("quillotap::Mp3Encoder", "MP3 %1 kHz; ")
                       .arg(groupedNumber(s.SampleRate));
    if (s.Channels == 1)
        text += QCoreApplication::translate("quillotap::Mp3Encoder", "Mono; ");
    else
        text += QCoreApplication::translate("quillotap::Mp3Encoder",
                                            kModes[std::clamp(s.TypeStereo, 1, 4) - 1]) +
                QStringLiteral("; ");
    switch (s.VbrCodingMethod) {
    case -1:
        text += QCoreApplication::translate("quillotap::Mp3Encoder", "%1 Kbps; ").arg(s.Bitrate);
        break;
    case 4:
        text +=
            QCoreApplication::translate("quillotap::Mp3Encoder", "ABR %1 Kbps; ").arg(s.AbrBitrate);
        break;
    default:
        text += QCoreApplication::translate("quillotap::Mp3Encoder", "Quality %1; %2-%3 Kbps; ")
                    .arg(s.VbrQuality)
                    .arg(std::min(s.Bitrate, s.VbrBitrate))
                    .arg(s.VbrBitrate);
        break;
    }
    return text;
}

} // namespace quillotap
