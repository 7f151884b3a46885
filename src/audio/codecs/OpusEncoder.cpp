#include "audio/codecs/OpusEncoder.h"

#include "audio/codecs/FormatText.h"

#include <QCoreApplication>

#include <opus.h>
#include <opusenc.h>

#include <algorithm>

namespace quillotap {

namespace {

// Longest time, in 48 kHz samples, that encoded sound may wait in memory
// before its page is written: what a crash can cost at most.
constexpr int kMuxingDelay = kOpusSampleRate / 2;

int writePacket(void* user, const unsigned char* data, opus_int32 len) {
    // libopusenc treats any non-zero result as a failed write.
    return static_cast<OutputFile*>(user)->write(data, size_t(len)) ? 0 : 1;
}

int closeStream(void* user) {
    return static_cast<OutputFile*>(user)->close() ? 0 : 1;
}

const OpusEncCallbacks kCallbacks{writePacket, closeStream};

class OggOpusEncoder final : public AudioEncoder {
public:
    OggOpusEncoder(std::unique_ptr<OutputFile> file) : file_(std::move(file)) {}
    ~OggOpusEncoder() override { finish(); }

    // Sets up the encoder and writes the header pages; false with *error set.
    bool start(const OpusSettings& s, QString* error) {
        comments_ = ope_comments_create();
        if (!comments_) {
            *error = QCoreApplication::translate("OpusEncoder",
                                                 "The Opus encoder could not be started.");
            return false;
        }
        ope_comments_add(comments_, "ENCODER", "Quillotap");
        int err = OPE_OK;
        enc_ = ope_encoder_create_callbacks(&kCallbacks, file_.get(), comments_, kOpusSampleRate,
                                            kOpusChannels, 0, &err);
        if (!enc_ || err != OPE_OK) {
            *error = QCoreApplication::translate("OpusEncoder",
                                                 "The Opus encoder could not be started: %1")
                         .arg(QString::fromUtf8(ope_strerror(err)));
            return false;
        }
        const int bitrate = std::clamp(s.bitrate, kOpusMinBitrate, kOpusMaxBitrate) * 1000;
        const int application = s.voice ? OPUS_APPLICATION_VOIP : OPUS_APPLICATION_AUDIO;
        const int signal = s.voice ? OPUS_SIGNAL_VOICE : OPUS_SIGNAL_MUSIC;
        if (ope_encoder_ctl(enc_, OPUS_SET_BITRATE(bitrate)) != OPE_OK ||
            ope_encoder_ctl(enc_, OPUS_SET_APPLICATION(application)) != OPE_OK ||
            ope_encoder_ctl(enc_, OPUS_SET_SIGNAL(signal)) != OPE_OK ||
            ope_encoder_ctl(enc_, OPE_SET_DECISION_DELAY(0)) != OPE_OK ||
            ope_encoder_ctl(enc_, OPE_SET_MUXING_DELAY(kMuxingDelay)) != OPE_OK) {
            *error = QCoreApplication::translate(
                "OpusEncoder", "The Opus encoder does not accept these settings.");
            return false;
        }
        // The headers go out now, so even a file killed at once is an Ogg Opus file.
        if (ope_encoder_flush_header(enc_) != OPE_OK || file_->failed()) {
            *error = file_->failed() ? file_->errorText()
                                     : QCoreApplication::translate(
                                           "OpusEncoder", "The Opus encoder could not be started.");
            return false;
        }
        return true;
    }

    int sampleRate() const override { return kOpusSampleRate; }
    int channels() const override { return kOpusChannels; }
    QString errorText() const override { return file_->errorText(); }

    bool write(const int16_t* samples, qint64 frames) override {
        if (!enc_ || file_->failed())
            return false;
        constexpr qint64 kChunk = kOpusSampleRate;
        for (qint64 done = 0; done < frames;) {
            const int n = int(std::min(kChunk, frames - done));
            if (ope_encoder_write(enc_, samples + done * kOpusChannels, n) != OPE_OK) {
                file_->setError(
                    QCoreApplication::translate("OpusEncoder", "The Opus encoder failed."));
                return false;
            }
            done += n;
        }
        return !file_->failed() && file_->checkStillLinked();
    }

    bool finish() override {
        if (enc_) {
            // Draining writes the last pages; destroying closes the file.
            if (ope_encoder_drain(enc_) != OPE_OK && !file_->failed())
                file_->setError(QCoreApplication::translate(
                    "OpusEncoder", "The end of the Opus file could not be written."));
            ope_encoder_destroy(enc_);
            enc_ = nullptr;
        }
        if (comments_) {
            ope_comments_destroy(comments_);
            comments_ = nullptr;
        }
        file_->close();
        return !file_->failed();
    }

    // Releases the encoder of a file that failed to start, without writing.
    void abandon() {
        if (enc_) {
            ope_encoder_destroy(enc_);
            enc_ = nullptr;
        }
        finish();
    }

private:
    std::unique_ptr<OutputFile> file_;
    OggOpusComments* comments_ = nullptr;
    OggOpusEnc* enc_ = nullptr;
};

} // namespace

std::unique_ptr<AudioEncoder> createOpusEncoder(std::unique_ptr<OutputFile> file,
                                                const OpusSettings& s, QString* error) {
    auto encoder = std::make_unique<OggOpusEncoder>(std::move(file));
    if (!encoder->start(s, error)) {
        encoder->abandon();
        return nullptr;
    }
    return encoder;
}

QString describeOpus(const OpusSettings& s) {
    return QStringLiteral("OPUS %1 Hz; Stereo; %2 Kbps; %3")
        .arg(groupedNumber(kOpusSampleRate))
        .arg(std::clamp(s.bitrate, kOpusMinBitrate, kOpusMaxBitrate))
        .arg(s.voice ? QStringLiteral("Voice") : QStringLiteral("Music"));
}

} // namespace quillotap
