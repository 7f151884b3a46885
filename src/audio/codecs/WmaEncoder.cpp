#include "audio/codecs/WmaEncoder.h"

#include "audio/codecs/FfmpegLibrary.h"
#include "audio/codecs/FfmpegSupport.h"
#include "audio/codecs/WmaProfiles.h"

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <vector>

namespace quillotap {

namespace {

constexpr int kIoBufferSize = 32768;

class WmaEncoder final : public AudioEncoder {
public:
    WmaEncoder(const FfmpegApi& api, std::unique_ptr<OutputFile> file)
        : ff_(api), file_(std::move(file)) {}
    ~WmaEncoder() override {
        finish();
        release();
    }

    bool open(const WmaProfile& p, QString* error) {
        rate_ = p.sampleRate;
        channels_ = p.channels;
        const AVCodec* codec = ff_.avcodec_find_encoder(AV_CODEC_ID_WMAV2);
        if (!codec)
            return fail(error,
                        QCoreApplication::translate("quillotap::WmaEncoder",
                                                    "This system's FFmpeg has no WMA encoder."));
        if (ff_.avformat_alloc_output_context2(&oc_, nullptr, "asf", nullptr) < 0 || !oc_)
            return fail(error,
                        QCoreApplication::translate("quillotap::WmaEncoder",
                                                    "This system's FFmpeg has no ASF writer."));
        AVStream* st = ff_.avformat_new_stream(oc_, nullptr);
        enc_ = ff_.avcodec_alloc_context3(codec);
        if (!st || !enc_)
            return fail(error,
                        QCoreApplication::translate("quillotap::WmaEncoder", "Out of memory."));
        enc_->sample_fmt = AV_SAMPLE_FMT_FLTP;
        enc_->sample_rate = rate_;
        ff_.av_channel_layout_default(&enc_->ch_layout, channels_);
        enc_->bit_rate = int64_t(p.bitrateKbps) * 1000;
        enc_->time_base = AVRational{1, rate_};
        if (oc_->oformat->flags & AVFMT_GLOBALHEADER)
            enc_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        int rc = ff_.avcodec_open2(enc_, codec, nullptr);
        if (rc < 0)
            return fail(error,
                        QCoreApplication::translate("quillotap::WmaEncoder",
                                                    "The WMA encoder refused the profile: %1")
                            .arg(ffmpegErrorText(ff_, rc)));
        if (ff_.avcodec_parameters_from_context(st->codecpar, enc_) < 0)
            return fail(error,
                        QCoreApplication::translate("quillotap::WmaEncoder", "Out of memory."));
        st->time_base = enc_->time_base;

        auto* buffer = static_cast<unsigned char*>(ff_.av_malloc(kIoBufferSize));
        if (!buffer)
            return fail(error,
                        QCoreApplication::translate("quillotap::WmaEncoder", "Out of memory."));
        io_ = ff_.avio_alloc_context(buffer, kIoBufferSize, 1, this, nullptr, &WmaEncoder::writeIo,
                                     &WmaEncoder::seekIo);
        if (!io_) {
            ff_.av_free(buffer);
            return fail(error,
                        QCoreApplication::translate("quillotap::WmaEncoder", "Out of memory."));
        }
        oc_->pb = io_;
        oc_->flags |= AVFMT_FLAG_CUSTOM_IO;
        rc = ff_.avformat_write_header(oc_, nullptr);
        if (rc < 0)
            return fail(error, file_->failed()
                                   ? file_->errorText()
                                   : QCoreApplication::translate("quillotap::WmaEncoder",
                                                                 "The WMA header could not be "
                                                                 "written: %1")
                                         .arg(ffmpegErrorText(ff_, rc)));
        frameSize_ = enc_->frame_size > 0 ? enc_->frame_size : 2048;
        frame_ = ff_.av_frame_alloc();
        packet_ = ff_.av_packet_alloc();
        if (!frame_ || !packet_)
            return fail(error,
                        QCoreApplication::translate("quillotap::WmaEncoder", "Out of memory."));
        frame_->format = enc_->sample_fmt;
        frame_->sample_rate = rate_;
        frame_->nb_samples = frameSize_;
        if (ff_.av_channel_layout_copy(&frame_->ch_layout, &enc_->ch_layout) < 0 ||
            ff_.av_frame_get_buffer(frame_, 0) < 0)
            return fail(error,
                        QCoreApplication::translate("quillotap::WmaEncoder", "Out of memory."));
        pending_.assign(size_t(channels_), {});
        running_ = true;
        ff_.avio_flush(io_);
        return !file_->failed() || fail(error, file_->errorText());
    }

    int sampleRate() const override { return rate_; }
    int channels() const override { return channels_; }
    QString errorText() const override { return file_->errorText(); }

    bool write(const int16_t* samples, qint64 frames) override {
        if (!running_ || file_->failed())
            return false;
        for (int c = 0; c < channels_; ++c) {
            auto& out = pending_[size_t(c)];
            out.reserve(out.size() + size_t(frames));
            for (qint64 i = 0; i < frames; ++i)
                out.push_back(float(samples[i * channels_ + c]) / 32768.0f);
        }
        if (!encodePending(false))
            return false;
        ff_.avio_flush(io_);
        return !file_->failed() && file_->checkStillLinked();
    }

    bool finish() override {
        if (!running_)
            return !file_->failed();
        running_ = false;
        // The encoder emits each frame's overlap with the next one only when
        // that next frame arrives; a frame of silence carries the last
        // samples out.
        if (!(enc_->codec->capabilities & AV_CODEC_CAP_DELAY))
            for (auto& ch : pending_)
                ch.resize(ch.size() + size_t(frameSize_), 0.0f);
        if (!file_->failed() && encodePending(true) && sendFrame(nullptr)) {
            ff_.av_write_trailer(oc_);
            ff_.avio_flush(io_);
        }
        release();
        file_->close();
        return !file_->failed();
    }

private:
    bool fail(QString* error, const QString& text) {
        *error = text;
        return false;
    }

    // Feeds whole encoder frames; at the end the last partial frame is padded
    // with silence because the WMA encoder only takes full frames.
    bool encodePending(bool final) {
        size_t used = 0;
        const size_t available = pending_[0].size();
        while (available - used >= size_t(frameSize_) || (final && available > used)) {
            if (ff_.av_frame_make_writable(frame_) < 0) {
                file_->setError(
                    QCoreApplication::translate("quillotap::WmaEncoder", "Out of memory."));
                return false;
            }
            const size_t n = std::min(available - used, size_t(frameSize_));
            for (int c = 0; c < channels_; ++c) {
                auto* dst = reinterpret_cast<float*>(frame_->extended_data[c]);
                std::copy_n(pending_[size_t(c)].begin() + ptrdiff_t(used), n, dst);
                std::fill(dst + n, dst + frameSize_, 0.0f);
            }
            frame_->pts = nextPts_;
            nextPts_ += frameSize_;
            used += n;
            if (!sendFrame(frame_))
                return false;
        }
        for (auto& ch : pending_)
            ch.erase(ch.begin(), ch.begin() + ptrdiff_t(used));
        return true;
    }

    bool sendFrame(AVFrame* frame) {
        int rc = ff_.avcodec_send_frame(enc_, frame);
        if (rc < 0) {
            file_->setError(
                QCoreApplication::translate("quillotap::WmaEncoder", "The WMA encoder failed: %1")
                    .arg(ffmpegErrorText(ff_, rc)));
            return false;
        }
        while (true) {
            rc = ff_.avcodec_receive_packet(enc_, packet_);
            if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
                return true;
            if (rc < 0) {
                file_->setError(QCoreApplication::translate("quillotap::WmaEncoder",
                                                            "The WMA encoder failed: %1")
                                    .arg(ffmpegErrorText(ff_, rc)));
                return false;
            }
            ff_.av_packet_rescale_ts(packet_, enc_->time_base, oc_->streams[0]->time_base);
            packet_->stream_index = 0;
            rc = ff_.av_interleaved_write_frame(oc_, packet_);
            if (rc < 0 || file_->failed()) {
                file_->setError(QCoreApplication::translate("quillotap::WmaEncoder",
                                                            "The WMA data could not be written: %1")
                                    .arg(ffmpegErrorText(ff_, rc)));
                return false;
            }
        }
    }

    void release() {
        ff_.av_frame_free(&frame_);
        ff_.av_packet_free(&packet_);
        ff_.avcodec_free_context(&enc_);
        if (oc_) {
            oc_->pb = nullptr;
            ff_.avformat_free_context(oc_);
            oc_ = nullptr;
        }
        if (io_) {
            ff_.av_freep(&io_->buffer);
            ff_.avio_context_free(&io_);
        }
    }

#if LIBAVFORMAT_VERSION_MAJOR >= 61
    static int writeIo(void* opaque, const uint8_t* data, int size) {
#else
    static int writeIo(void* opaque, uint8_t* data, int size) {
#endif
        auto* self = static_cast<WmaEncoder*>(opaque);
        if (size <= 0)
            return 0;
        return self->file_->write(data, size_t(size)) ? size : AVERROR(EIO);
    }

    static int64_t seekIo(void* opaque, int64_t offset, int whence) {
        auto* self = static_cast<WmaEncoder*>(opaque);
        if (whence & AVSEEK_SIZE)
            return self->file_->size();
        return self->file_->seek(offset, whence & ~AVSEEK_FORCE);
    }

    const FfmpegApi& ff_;
    std::unique_ptr<OutputFile> file_;
    int rate_ = 44100;
    int channels_ = 2;
    int frameSize_ = 2048;
    int64_t nextPts_ = 0;
    bool running_ = false;
    AVFormatContext* oc_ = nullptr;
    AVCodecContext* enc_ = nullptr;
    AVIOContext* io_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    std::vector<std::vector<float>> pending_;
};

} // namespace

std::unique_ptr<AudioEncoder> createWmaEncoder(std::unique_ptr<OutputFile> file, int profile,
                                               QString* error) {
    const FfmpegApi* api = ffmpegApi(error);
    if (!api)
        return nullptr;
    auto encoder = std::make_unique<WmaEncoder>(*api, std::move(file));
    if (!encoder->open(wmaProfile(profile), error))
        return nullptr;
    return encoder;
}

} // namespace quillotap
