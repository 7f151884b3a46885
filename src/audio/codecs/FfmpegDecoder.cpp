#include "audio/codecs/FfmpegDecoder.h"

#include "audio/SampleBlock.h"
#include "audio/codecs/FfmpegLibrary.h"
#include "audio/codecs/FfmpegSupport.h"

#include <QFile>

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quillotap {

namespace {

// Containers that can hold the audio this program reads; anything else
// (playlists, images, network indirections) is refused before probing.
constexpr const char* kFormats =
    "asf,mp3,ogg,wav,w64,flac,aiff,caf,au,matroska,webm,mov,aac,ac3,eac3,amr,voc";

// After this many packets in a row without a decoded frame the file is
// treated as damaged, so a corrupt stream cannot keep the reader busy.
constexpr int kMaxFruitlessPackets = 20000;

class FfmpegDecoder final : public AudioDecoder {
public:
    explicit FfmpegDecoder(const FfmpegApi& api) : ff_(api) {}
    ~FfmpegDecoder() override {
        ff_.av_frame_free(&frame_);
        ff_.av_packet_free(&packet_);
        ff_.swr_free(&swr_);
        ff_.av_channel_layout_uninit(&swrLayout_);
        ff_.avcodec_free_context(&dec_);
        ff_.avformat_close_input(&fc_);
    }

    bool open(const QString& path, QString* error) {
        fc_ = ff_.avformat_alloc_context();
        frame_ = ff_.av_frame_alloc();
        packet_ = ff_.av_packet_alloc();
        if (!fc_ || !frame_ || !packet_)
            return fail(error,
                        QCoreApplication::translate("quillotap::FfmpegDecoder", "Out of memory."));
        fc_->format_whitelist = ff_.av_strdup(kFormats);
        fc_->protocol_whitelist = ff_.av_strdup("file");
        const QByteArray url = "file:" + QFile::encodeName(path);
        int rc = ff_.avformat_open_input(&fc_, url.constData(), nullptr, nullptr);
        if (rc < 0) // avformat_open_input frees the context on failure
            return fail(error, QCoreApplication::translate("quillotap::FfmpegDecoder",
                                                           "The file's format is not recognised."));
        rc = ff_.avformat_find_stream_info(fc_, nullptr);
        if (rc < 0)
            return fail(error, QCoreApplication::translate("quillotap::FfmpegDecoder",
                                                           "The file holds no readable audio."));
        const AVCodec* codec = nullptr;
        stream_ = ff_.av_find_best_stream(fc_, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
        if (stream_ < 0 || !codec)
            return fail(error, QCoreApplication::translate("quillotap::FfmpegDecoder",
                                                           "The file holds no decodable audio."));
        const AVStream* st = fc_->streams[stream_];
        dec_ = ff_.avcodec_alloc_context3(codec);
        if (!dec_ || ff_.avcodec_parameters_to_context(dec_, st->codecpar) < 0)
            return fail(error,
                        QCoreApplication::translate("quillotap::FfmpegDecoder", "Out of memory."));
        rc = ff_.avcodec_open2(dec_, codec, nullptr);
        if (rc < 0)
            return fail(error, QCoreApplication::translate("quillotap::FfmpegDecoder",
                                                           "The audio cannot be decoded: %1")
                                   .arg(ffmpegErrorText(ff_, rc)));
        rate_ = dec_->sample_rate;
        const int fileChannels = dec_->ch_layout.nb_channels;
        if (rate_ < 1 || rate_ > 1000000 || fileChannels < 1 || fileChannels > 64)
            return fail(error, QCoreApplication::translate("quillotap::FfmpegDecoder",
                                                           "The audio format is not supported."));
        channels_ = std::min(fileChannels, 2);

        if (st->duration != AV_NOPTS_VALUE && st->duration > 0)
            length_ = ff_.av_rescale_q(st->duration, st->time_base, AVRational{1, rate_});
        else if (fc_->duration != AV_NOPTS_VALUE && fc_->duration > 0)
            length_ = ff_.av_rescale(fc_->duration, rate_, AV_TIME_BASE);
        length_ = std::max<qint64>(length_, 0);
        // A file from which not one frame decodes is refused here rather
        // than opened as silence. The first frame also fixes where sample 0
        // is in stream time, which seeking relies on.
        if (!decodeMore())
            return fail(error, QCoreApplication::translate("quillotap::FfmpegDecoder",
                                                           "The file holds no decodable audio."));
        return true;
    }

    int sampleRate() const override { return rate_; }
    int channels() const override { return channels_; }
    qint64 length() const override { return length_; }

    qint64 read(int16_t* out, qint64 frames) override {
        qint64 done = 0;
        while (done < frames) {
            if (pendingPos_ >= pending_.size()) {
                pending_.clear();
                pendingPos_ = 0;
                if (!decodeMore())
                    break;
                continue;
            }
            const qint64 avail = qint64(pending_.size() - pendingPos_) / channels_;
            const qint64 n = std::min(avail, frames - done);
            std::memcpy(out + done * channels_, pending_.data() + pendingPos_,
                        size_t(n * channels_) * sizeof(int16_t));
            pendingPos_ += size_t(n * channels_);
            done += n;
        }
        position_ += done;
        return done;
    }

    qint64 seek(qint64 frame) override {
        frame = std::max<qint64>(frame, 0);
        const AVStream* st = fc_->streams[stream_];
        // Land a little early: decoders with overlapping frames need one or
        // two packets before the target; the surplus is dropped below.
        const qint64 early = std::max<qint64>(frame - rate_ / 4, 0);
        const int64_t ts = ff_.av_rescale_q(early, AVRational{1, rate_}, st->time_base) + firstPts_;
        if (ff_.av_seek_frame(fc_, stream_, ts, AVSEEK_FLAG_BACKWARD) < 0 &&
            ff_.av_seek_frame(fc_, stream_, ts, AVSEEK_FLAG_ANY | AVSEEK_FLAG_BACKWARD) < 0)
            return -1;
        ff_.avcodec_flush_buffers(dec_);
        pending_.clear();
        pendingPos_ = 0;
        draining_ = false;
        finished_ = false;
        skipTo_ = frame;
        // Decode up to the target so the next read starts exactly there.
        position_ = frame;
        if (!decodeMore())
            position_ = std::min(frame, length_);
        return position_;
    }

private:
    bool fail(QString* error, const QString& text) {
        *error = text;
        return false;
    }

    // Appends the next decoded frame to pending_; false at the end of data.
    bool decodeMore() {
        int fruitless = 0;
        while (!finished_) {
            int rc = ff_.avcodec_receive_frame(dec_, frame_);
            if (rc == 0) {
                const bool ok = appendFrame();
                ff_.av_frame_unref(frame_);
                if (ok)
                    return true;
                if (++fruitless > kMaxFruitlessPackets)
                    break;
                continue;
            }
            if (rc == AVERROR_EOF)
                break;
            if (rc != AVERROR(EAGAIN) && ++fruitless > kMaxFruitlessPackets)
                break;
            if (draining_)
                break;
            rc = ff_.av_read_frame(fc_, packet_);
            if (rc < 0) {
                draining_ = true;
                ff_.avcodec_send_packet(dec_, nullptr);
                continue;
            }
            if (packet_->stream_index == stream_) {
                // A damaged packet is skipped; the decoder resynchronises.
                ff_.avcodec_send_packet(dec_, packet_);
            }
            ff_.av_packet_unref(packet_);
            if (++fruitless > kMaxFruitlessPackets)
                break;
        }
        finished_ = true;
        return false;
    }

    // Converts frame_ to interleaved 16 bit; drops what lies before a seek
    // target. False when nothing was appended.
    bool appendFrame() {
        if (frame_->nb_samples <= 0 || frame_->sample_rate != rate_ ||
            frame_->ch_layout.nb_channels < 1)
            return false;
        if (!configureConverter())
            return false;
        const int capacity = ff_.swr_get_out_samples(swr_, frame_->nb_samples);
        if (capacity <= 0)
            return false;
        SampleBlock out(size_t(capacity) * size_t(channels_));
        auto* outPtr = reinterpret_cast<uint8_t*>(out.data());
        const int got =
            ff_.swr_convert(swr_, &outPtr, capacity,
                            const_cast<const uint8_t**>(frame_->extended_data), frame_->nb_samples);
        if (got <= 0)
            return false;
        out.resize(size_t(got) * size_t(channels_));

        const int64_t pts = frame_->best_effort_timestamp;
        if (firstPts_ == AV_NOPTS_VALUE)
            firstPts_ = pts == AV_NOPTS_VALUE ? 0 : pts;
        if (skipTo_ >= 0) {
            // Some decoders (WMA) stamp their first output frames later than
            // the samples they hold, so positions count from the first frame.
            qint64 framePos = skipTo_;
            if (pts != AV_NOPTS_VALUE)
                framePos = ff_.av_rescale_q(pts - firstPts_, fc_->streams[stream_]->time_base,
                                            AVRational{1, rate_});
            const qint64 drop = std::clamp<qint64>(skipTo_ - framePos, 0, got);
            if (drop >= got)
                return false;
            out.erase(out.begin(), out.begin() + ptrdiff_t(drop * channels_));
            skipTo_ = -1;
        }
        pending_ = std::move(out);
        pendingPos_ = 0;
        return true;
    }

    bool configureConverter() {
        const AVChannelLayout& in = frame_->ch_layout;
        if (swr_ && frame_->format == swrFormat_ &&
            ff_.av_channel_layout_compare(&in, &swrLayout_) == 0)
            return true;
        ff_.swr_free(&swr_);
        AVChannelLayout inLayout{};
        if (in.order == AV_CHANNEL_ORDER_UNSPEC)
            ff_.av_channel_layout_default(&inLayout, in.nb_channels);
        else if (ff_.av_channel_layout_copy(&inLayout, &in) < 0)
            return false;
        AVChannelLayout outLayout{};
        ff_.av_channel_layout_default(&outLayout, channels_);
        const int rc =
            ff_.swr_alloc_set_opts2(&swr_, &outLayout, AV_SAMPLE_FMT_S16, rate_, &inLayout,
                                    AVSampleFormat(frame_->format), rate_, 0, nullptr);
        ff_.av_channel_layout_uninit(&inLayout);
        if (rc < 0 || ff_.swr_init(swr_) < 0) {
            ff_.swr_free(&swr_);
            return false;
        }
        swrFormat_ = frame_->format;
        ff_.av_channel_layout_uninit(&swrLayout_);
        ff_.av_channel_layout_copy(&swrLayout_, &in);
        return true;
    }

    const FfmpegApi& ff_;
    AVFormatContext* fc_ = nullptr;
    AVCodecContext* dec_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwrContext* swr_ = nullptr;
    int swrFormat_ = -1;
    AVChannelLayout swrLayout_{};
    int stream_ = -1;
    int rate_ = 0;
    int channels_ = 0;
    qint64 length_ = 0;
    qint64 position_ = 0;
    qint64 skipTo_ = -1;
    int64_t firstPts_ = AV_NOPTS_VALUE;
    bool draining_ = false;
    bool finished_ = false;
    SampleBlock pending_;
    size_t pendingPos_ = 0;
};

} // namespace

std::unique_ptr<AudioDecoder> openFfmpegDecoder(const QString& path, QString* error) {
    const FfmpegApi* api = ffmpegApi(error);
    if (!api)
        return nullptr;
    auto decoder = std::make_unique<FfmpegDecoder>(*api);
    if (!decoder->open(path, error))
        return nullptr;
    return decoder;
}

} // namespace quillotap
