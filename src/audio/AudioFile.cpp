#include "audio/AudioFile.h"

#include "audio/codecs/AudioDecoder.h"
#include "audio/codecs/AudioEncoder.h"
#include "audio/codecs/FfmpegDecoder.h"
#include "audio/codecs/FfmpegLibrary.h"
#include "audio/codecs/Mp3Encoder.h"
#include "audio/codecs/OpusEncoder.h"
#include "audio/codecs/OutputFile.h"
#include "audio/codecs/SampleConverter.h"
#include "audio/codecs/SndfileDecoder.h"
#include "audio/codecs/SndfileEncoder.h"
#include "audio/codecs/VorbisEncoder.h"
#include "audio/codecs/WmaEncoder.h"
#include "audio/codecs/WmaProfiles.h"

#include <QFile>
#include <QFileInfo>

#include <QCoreApplication>
#include <algorithm>

namespace quillotap {

namespace {

enum class Configured { Mp3, Ogg, Wav, Wma, Flac, Opus };

// Largest block ReadSamples hands out at once, in frames.
constexpr qint64 kMaxReadFrames = qint64(1) << 22;

} // namespace

struct AudioFile::Private {
    // Parameters per format, applied to files created later.
    MP3Lame mp3;
    VorbisSettings ogg;
    WavSettings wav;
    int wmaProfile = kWmaDefaultProfile;
    FlacSettings flac;
    OpusSettings opus;
    Configured lastConfigured = Configured::Mp3;
    bool flag = false;
    int openMode = 0;

    // Writer.
    std::unique_ptr<AudioEncoder> encoder;
    SampleConverter converter;
    SampleBlock carry; // a partial frame left over from the last block
    QString writeError;
    qint64 writtenFrames = 0;

    // Reader.
    std::unique_ptr<AudioDecoder> decoder;

    // Outcome of the last create or open.
    int status = 0;
    QString errorText;
    int sampleRate = 0;
    int channels = 0;

    void setFailure(int code, const QString& text) {
        status = code;
        errorText = text;
    }

    std::unique_ptr<AudioEncoder> makeEncoder(const QString& ext, std::unique_ptr<OutputFile> file,
                                              QString* error) const {
        if (ext == QLatin1String("mp3"))
            return createMp3Encoder(std::move(file), mp3, error);
        if (ext == QLatin1String("ogg"))
            return createVorbisEncoder(std::move(file), ogg, error);
        if (ext == QLatin1String("wav"))
            return createWavEncoder(std::move(file), wav, error);
        if (ext == QLatin1String("vox"))
            return createVoxEncoder(std::move(file), error);
        if (ext == QLatin1String("flac"))
            return createFlacEncoder(std::move(file), flac, error);
        if (ext == QLatin1String("opus"))
            return createOpusEncoder(std::move(file), opus, error);
        return createWmaEncoder(std::move(file), wmaProfile, error);
    }

    // Hands samples in the file's own format to the encoder.
    bool store(const int16_t* samples, qint64 frames) {
        if (frames <= 0)
            return true;
        if (!encoder->write(samples, frames)) {
            writeError = encoder->errorText();
            if (writeError.isEmpty())
                writeError = QCoreApplication::translate("quillotap::AudioFile",
                                                         "The file could not be written.");
            return false;
        }
        writtenFrames += frames;
        return true;
    }

    // Samples in the input format: converted first when that differs.
    bool encode(const int16_t* samples, qint64 frames) {
        if (converter.isIdentity())
            return store(samples, frames);
        if (frames <= 0)
            return true;
        const SampleBlock converted = converter.convert(samples, frames);
        return store(converted.data(), qint64(converted.size()) / encoder->channels());
    }

    // What the resampler still holds, at the end or before a format change.
    bool drainConverter() {
        if (converter.isIdentity() || !writeError.isEmpty())
            return writeError.isEmpty();
        const SampleBlock rest = converter.drain();
        return store(rest.data(), qint64(rest.size()) / encoder->channels());
    }
};

AudioFile::AudioFile() : d(std::make_unique<Private>()) {}

AudioFile::~AudioFile() {
    Close();
}

void AudioFile::SetFlag(bool flag) {
    d->flag = flag;
}

void AudioFile::SetMP3Encoder(const MP3Lame& settings) {
    d->mp3 = settings;
    d->lastConfigured = Configured::Mp3;
}

void AudioFile::SetOGGFormat(int sampleRate, int channels, int bitrate, int minBitrate,
                             int maxBitrate, int quality) {
    d->ogg = VorbisSettings{sampleRate, channels == 1 ? 1 : 2,
                            bitrate,    minBitrate,
                            maxBitrate, quality < 0 ? -1 : std::min(quality, 1000)};
    d->lastConfigured = Configured::Ogg;
}

bool AudioFile::CheckOGGFormat(int sampleRate, int channels, int bitrate, int minBitrate,
                               int maxBitrate) const {
    return vorbisAcceptsBitrates(sampleRate, channels, bitrate, minBitrate, maxBitrate);
}

void AudioFile::SetWAVFormat(int sampleRate, int channels, int bitsPerSample) {
    d->wav = WavSettings{std::clamp(sampleRate, 1000, 384000), channels == 1 ? 1 : 2,
                         bitsPerSample == 8 ? 8 : 16};
    d->lastConfigured = Configured::Wav;
}

void AudioFile::SetWMAProfile(int profile) {
    if (!isWmaProfile(profile))
        return;
    d->wmaProfile = profile;
    d->lastConfigured = Configured::Wma;
}

void AudioFile::SetFLACFormat(int compressionLevel, int bitsPerSample) {
    d->flac = FlacSettings{std::clamp(compressionLevel, 0, 8), bitsPerSample == 24 ? 24 : 16};
    d->lastConfigured = Configured::Flac;
}

void AudioFile::SetOpusFormat(int bitrate, bool voice) {
    d->opus = OpusSettings{std::clamp(bitrate, kOpusMinBitrate, kOpusMaxBitrate), voice};
    d->lastConfigured = Configured::Opus;
}

QString AudioFile::GetFormatDescription() const {
    switch (d->lastConfigured) {
    case Configured::Flac:
        return describeFlac(d->flac);
    case Configured::Opus:
        return describeOpus(d->opus);
    case Configured::Ogg:
        return describeVorbis(d->ogg);
    case Configured::Wav:
        return describeWav(d->wav);
    case Configured::Wma:
        return describeWmaProfile(d->wmaProfile);
    case Configured::Mp3:
        break;
    }
    return describeMp3(d->mp3);
}

// ---- writing ----

void AudioFile::CreateForWriting(const QString& path, int /*flags*/) {
    CloseWriter();
    const QString ext = QFileInfo(path).suffix().toLower();
    static const QStringList kKnown{
        QStringLiteral("mp3"), QStringLiteral("wma"),  QStringLiteral("ogg"), QStringLiteral("wav"),
        QStringLiteral("vox"), QStringLiteral("flac"), QStringLiteral("opus")};
    if (!kKnown.contains(ext)) {
        d->setFailure(-1, QCoreApplication::translate("quillotap::AudioFile",
                                                      "\"%1\" has no known audio extension "
                                                      "(mp3, wma, ogg, wav, vox, flac or opus).")
                              .arg(path));
        return;
    }
    QString error;
    std::unique_ptr<OutputFile> file = OutputFile::create(path, &error);
    if (!file) {
        d->setFailure(-2, error);
        return;
    }
    std::unique_ptr<AudioEncoder> encoder = d->makeEncoder(ext, std::move(file), &error);
    if (!encoder) {
        // The file was created just now by this call; do not leave it behind.
        QFile::remove(path);
        d->setFailure(-3, error.isEmpty()
                              ? QCoreApplication::translate("quillotap::AudioFile",
                                                            "The encoder could not be started.")
                              : error);
        return;
    }
    d->encoder = std::move(encoder);
    d->writeError.clear();
    d->writtenFrames = 0;
    d->carry.clear();
    d->converter.configure(d->encoder->sampleRate(), d->encoder->channels(),
                           d->encoder->sampleRate(), d->encoder->channels());
    d->status = 0;
    d->errorText.clear();
    d->sampleRate = d->encoder->sampleRate();
    d->channels = d->encoder->channels();
}

void AudioFile::SetInputFormat(int sampleRate, int channels) {
    if (!d->encoder ||
        (sampleRate == d->converter.inRate() && channels == d->converter.inChannels()))
        return;
    SampleConverter probe;
    if (!probe.configure(sampleRate, channels, d->encoder->sampleRate(), d->encoder->channels())) {
        // Blocks that cannot be converted would be stored at the wrong speed
        // or with mixed-up channels; the writer refuses them instead, and
        // what it holds so far stays valid.
        if (d->writeError.isEmpty())
            d->writeError = probe.errorText();
        return;
    }
    // Whatever the old converter still holds belongs to the old format.
    d->drainConverter();
    d->carry.clear();
    d->converter.configure(sampleRate, channels, d->encoder->sampleRate(), d->encoder->channels());
}

bool AudioFile::WriteSamples(const SampleBlock& block) {
    if (!d->encoder || !d->writeError.isEmpty())
        return false;
    const int ch = std::max(d->converter.inChannels(), 1);
    if (d->carry.empty() && block.size() % size_t(ch) == 0)
        return d->encode(block.data(), qint64(block.size()) / ch);
    SampleBlock joined = std::move(d->carry);
    joined.insert(joined.end(), block.begin(), block.end());
    const size_t whole = joined.size() - joined.size() % size_t(ch);
    d->carry.assign(joined.begin() + ptrdiff_t(whole), joined.end());
    return d->encode(joined.data(), qint64(whole) / ch);
}

bool AudioFile::IsWriting() const {
    return d->encoder != nullptr;
}

QString AudioFile::GetWriteError() const {
    return d->writeError;
}

qint64 AudioFile::GetWrittenFrames() const {
    return d->writtenFrames;
}

void AudioFile::CloseWriter() {
    if (!d->encoder)
        return;
    d->drainConverter();
    if (!d->encoder->finish() && d->writeError.isEmpty())
        d->writeError = d->encoder->errorText();
    d->encoder.reset();
    d->carry.clear();
}

// ---- reading ----

void AudioFile::SetOpenMode(int mode) {
    d->openMode = mode;
}

void AudioFile::OpenForReading(const QString& path, int /*a*/, int /*b*/) {
    CloseReader();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        d->setFailure(-1, QCoreApplication::translate("quillotap::AudioFile",
                                                      "The file \"%1\" does not exist.")
                              .arg(path));
        return;
    }
    if (!info.isFile()) {
        d->setFailure(
            -1,
            QCoreApplication::translate("quillotap::AudioFile", "\"%1\" is not a file.").arg(path));
        return;
    }
    if (!info.isReadable()) {
        d->setFailure(-1, QCoreApplication::translate("quillotap::AudioFile",
                                                      "The file \"%1\" cannot be read.")
                              .arg(path));
        return;
    }
    if (info.size() == 0) {
        d->setFailure(
            -2, QCoreApplication::translate("quillotap::AudioFile", "The file \"%1\" is empty.")
                    .arg(path));
        return;
    }
    const bool vox = info.suffix().compare(QLatin1String("vox"), Qt::CaseInsensitive) == 0;
    QString error;
    std::unique_ptr<AudioDecoder> decoder = openSndfileDecoder(path, vox, &error);
    if (!decoder && !vox)
        decoder = openFfmpegDecoder(path, &error);
    if (!decoder) {
        // Without FFmpeg only what libsndfile reads can be opened; say so
        // instead of calling the file damaged.
        QString ffmpegMissing;
        if (!vox && !ffmpegApi(&ffmpegMissing)) {
            d->setFailure(-3, QCoreApplication::translate("quillotap::AudioFile",
                                                          "The file \"%1\" cannot be read. %2")
                                  .arg(path, ffmpegMissing));
            return;
        }
        d->setFailure(
            -3, QCoreApplication::translate("quillotap::AudioFile",
                                            "The file \"%1\" is damaged or not in a supported "
                                            "audio format.")
                    .arg(path));
        return;
    }
    d->decoder = std::move(decoder);
    d->status = 0;
    d->errorText.clear();
    d->sampleRate = d->decoder->sampleRate();
    d->channels = d->decoder->channels();
}

bool AudioFile::IsReading() const {
    return d->decoder != nullptr;
}

qint64 AudioFile::GetLength() const {
    return d->decoder ? d->decoder->length() : 0;
}

int AudioFile::GetFrameWidth() const {
    if (d->decoder)
        return d->decoder->channels();
    return std::max(d->channels, 1);
}

SampleBlock AudioFile::ReadSamples(int count) {
    if (!d->decoder || count <= 0)
        return {};
    const int ch = d->decoder->channels();
    const qint64 frames = std::clamp<qint64>(count / ch, 1, kMaxReadFrames);
    SampleBlock block(size_t(frames * ch));
    const qint64 got = d->decoder->read(block.data(), frames);
    block.resize(size_t(std::clamp<qint64>(got, 0, frames) * ch));
    return block;
}

qint64 AudioFile::Seek(qint64 position, int /*mode*/) {
    if (!d->decoder)
        return -1;
    return d->decoder->seek(std::max<qint64>(position, 0));
}

void AudioFile::CloseReader() {
    d->decoder.reset();
}

// ---- shared ----

int AudioFile::GetStatus() const {
    return d->status;
}

QString AudioFile::GetErrorText() const {
    return d->errorText;
}

int AudioFile::GetSampleRate() const {
    return d->sampleRate;
}

int AudioFile::GetChannels() const {
    return d->channels;
}

void AudioFile::Close() {
    CloseWriter();
    CloseReader();
}

} // namespace quillotap
