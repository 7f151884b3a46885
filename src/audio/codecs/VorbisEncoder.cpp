#include "audio/codecs/VorbisEncoder.h"

#include "audio/codecs/FormatText.h"

#include <vorbis/vorbisenc.h>

#include <QRandomGenerator>

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace quillotap {

namespace {

// Managed-mode arguments in bit/s: -1 leaves a limit open.
struct ManagedBitrates {
    long max;
    long nominal;
    long min;
};

ManagedBitrates managedBitrates(int bitrate, int minBitrate, int maxBitrate) {
    if (minBitrate <= 0 && maxBitrate <= 0) // constant bitrate
        return {bitrate * 1000L, bitrate * 1000L, bitrate * 1000L};
    return {maxBitrate > 0 ? maxBitrate * 1000L : -1, bitrate > 0 ? bitrate * 1000L : -1,
            minBitrate > 0 ? minBitrate * 1000L : -1};
}

bool plausible(int sampleRate, int channels, int bitrate, int minBitrate, int maxBitrate) {
    if (sampleRate < 1 || channels < 1 || channels > 2 || bitrate < 0)
        return false;
    if (minBitrate > 0 && maxBitrate > 0 && minBitrate > maxBitrate)
        return false;
    if (bitrate > 0 && minBitrate > 0 && bitrate < minBitrate)
        return false;
    if (bitrate > 0 && maxBitrate > 0 && bitrate > maxBitrate)
        return false;
    return true;
}

// Asks libvorbisenc itself: the setup succeeds only for combinations its
// templates cover.
bool setupManaged(vorbis_info* vi, int sampleRate, int channels, int bitrate, int minBitrate,
                  int maxBitrate) {
    if (!plausible(sampleRate, channels, bitrate, minBitrate, maxBitrate))
        return false;
    const ManagedBitrates b = managedBitrates(bitrate, minBitrate, maxBitrate);
    if (vorbis_encode_setup_managed(vi, channels, sampleRate, b.max, b.nominal, b.min) != 0)
        return false;
    return vorbis_encode_setup_init(vi) == 0;
}

class VorbisEncoder final : public AudioEncoder {
public:
    VorbisEncoder(std::unique_ptr<OutputFile> file, int rate, int channels)
        : file_(std::move(file)), rate_(rate), channels_(channels) {
        vorbis_info_init(&vi_);
    }
    ~VorbisEncoder() override {
        finish();
        vorbis_info_clear(&vi_);
    }

    vorbis_info* info() { return &vi_; }

    // Writes the three header packets on pages of their own.
    bool start() {
        vorbis_comment_init(&vc_);
        vorbis_comment_add_tag(&vc_, "ENCODER", "Quillotap");
        if (vorbis_analysis_init(&vd_, &vi_) != 0) {
            vorbis_comment_clear(&vc_);
            return false;
        }
        vorbis_block_init(&vd_, &vb_);
        ogg_stream_init(&os_, int(QRandomGenerator::global()->generate() & 0x7fffffff));
        running_ = true;
        ogg_packet header, comments, codebooks;
        if (vorbis_analysis_headerout(&vd_, &vc_, &header, &comments, &codebooks) != 0)
            return false;
        ogg_stream_packetin(&os_, &header);
        ogg_stream_packetin(&os_, &comments);
        ogg_stream_packetin(&os_, &codebooks);
        return flushPages();
    }

    int sampleRate() const override { return rate_; }
    int channels() const override { return channels_; }
    QString errorText() const override { return file_->errorText(); }

    bool write(const int16_t* samples, qint64 frames) override {
        if (!running_ || file_->failed())
            return false;
        constexpr qint64 kChunk = 4096;
        for (qint64 done = 0; done < frames;) {
            const int n = int(std::min(kChunk, frames - done));
            float** buffer = vorbis_analysis_buffer(&vd_, n);
            const int16_t* in = samples + done * channels_;
            for (int i = 0; i < n; ++i)
                for (int c = 0; c < channels_; ++c)
                    buffer[c][i] = float(in[i * channels_ + c]) / 32768.0f;
            vorbis_analysis_wrote(&vd_, n);
            if (!drain())
                return false;
            done += n;
        }
        // Everything encoded so far goes to disk now, not when a page fills.
        return flushPages() && file_->checkStillLinked();
    }

    bool finish() override {
        if (!running_)
            return !file_->failed();
        running_ = false;
        vorbis_analysis_wrote(&vd_, 0);
        drain();
        flushPages();
        ogg_stream_clear(&os_);
        vorbis_block_clear(&vb_);
        vorbis_dsp_clear(&vd_);
        vorbis_comment_clear(&vc_);
        file_->close();
        return !file_->failed();
    }

    void abandon() {
        if (running_) {
            running_ = false;
            ogg_stream_clear(&os_);
            vorbis_block_clear(&vb_);
            vorbis_dsp_clear(&vd_);
            vorbis_comment_clear(&vc_);
        }
    }

private:
    bool drain() {
        while (vorbis_analysis_blockout(&vd_, &vb_) == 1) {
            if (vorbis_analysis(&vb_, nullptr) != 0 || vorbis_bitrate_addblock(&vb_) != 0) {
                file_->setError(QCoreApplication::translate("quillotap::VorbisEncoder",
                                                            "The Vorbis encoder failed."));
                return false;
            }
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd_, &packet) == 1) {
                ogg_stream_packetin(&os_, &packet);
                if (!writePages(false))
                    return false;
            }
        }
        return true;
    }

    bool writePages(bool flush) {
        ogg_page page;
        while (flush ? ogg_stream_flush(&os_, &page) : ogg_stream_pageout(&os_, &page)) {
            if (!file_->write(page.header, size_t(page.header_len)) ||
                !file_->write(page.body, size_t(page.body_len)))
                return false;
        }
        return true;
    }
    bool flushPages() { return writePages(true); }

    std::unique_ptr<OutputFile> file_;
    int rate_;
    int channels_;
    bool running_ = false;
    vorbis_info vi_;
    vorbis_comment vc_;
    vorbis_dsp_state vd_;
    vorbis_block vb_;
    ogg_stream_state os_;
};

constexpr std::array<int, 15> kBitrateSteps{8,   16,  24,  32,  48,  56,  64, 96,
                                            112, 128, 160, 192, 224, 256, 320};

} // namespace

bool vorbisAcceptsBitrates(int sampleRate, int channels, int bitrate, int minBitrate,
                           int maxBitrate) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    const bool ok = setupManaged(&vi, sampleRate, channels, bitrate, minBitrate, maxBitrate);
    vorbis_info_clear(&vi);
    return ok;
}

std::unique_ptr<AudioEncoder> createVorbisEncoder(std::unique_ptr<OutputFile> file,
                                                  const VorbisSettings& s, QString* error) {
    const int channels = s.channels == 1 ? 1 : 2;
    const int rate = std::clamp(s.sampleRate, 8000, 192000);
    auto encoder = std::make_unique<VorbisEncoder>(std::move(file), rate, channels);
    bool ok = false;
    if (s.quality >= 0) {
        const float q = float(std::clamp(s.quality, 0, 1000)) / 1000.0f;
        ok = vorbis_encode_init_vbr(encoder->info(), channels, rate, q) == 0;
    } else {
        ok = setupManaged(encoder->info(), rate, channels, s.bitrate, s.minBitrate, s.maxBitrate);
        if (!ok && s.minBitrate <= 0 && s.maxBitrate <= 0) {
            // A constant bitrate checked at another sample rate can be out of
            // range at this one; take the nearest bitrate this rate supports.
            int best = -1;
            for (int b : kBitrateSteps) {
                if ((best < 0 || std::abs(b - s.bitrate) < std::abs(best - s.bitrate)) &&
                    vorbisAcceptsBitrates(rate, channels, b, 0, 0))
                    best = b;
            }
            if (best > 0) {
                vorbis_info_clear(encoder->info());
                vorbis_info_init(encoder->info());
                ok = setupManaged(encoder->info(), rate, channels, best, 0, 0);
            }
        }
    }
    if (!ok) {
        *error = QCoreApplication::translate("quillotap::VorbisEncoder",
                                             "The Vorbis encoder does not accept these settings.");
        return nullptr;
    }
    if (!encoder->start()) {
        *error = encoder->errorText().isEmpty()
                     ? QCoreApplication::translate("quillotap::VorbisEncoder",
                                                   "The Vorbis encoder could not be started.")
                     : encoder->errorText();
        encoder->abandon();
        return nullptr;
    }
    return encoder;
}

QString describeVorbis(const VorbisSettings& s) {
    QString text =
        QCoreApplication::translate("quillotap::VorbisEncoder", "OGG %1 Hz; %2; ")
            .arg(groupedNumber(s.sampleRate),
                 s.channels == 1
                     ? QCoreApplication::translate("quillotap::VorbisEncoder", "Mono")
                     : QCoreApplication::translate("quillotap::VorbisEncoder", "Stereo"));
    if (s.quality >= 0) {
        QString q = QString::number(s.quality / 100.0, 'f', 2);
        if (q.endsWith(QLatin1Char('0')))
            q.chop(1);
        return text + QCoreApplication::translate("quillotap::VorbisEncoder", "Quality - ") + q;
    }
    if (s.minBitrate > 0 || s.maxBitrate > 0)
        return text + QStringLiteral("%1-%2Kbps").arg(s.minBitrate).arg(s.maxBitrate);
    return text + QCoreApplication::translate("quillotap::VorbisEncoder", "%1 Kbps").arg(s.bitrate);
}

} // namespace quillotap
