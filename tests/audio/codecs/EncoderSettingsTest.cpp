// The encoder settings must reach the files: bitrates, stereo modes, VBR
// headers, Vorbis bitrate management, WAV sample format and WMA profiles.
#include "CodecTestSupport.h"

#include "audio/codecs/WmaProfiles.h"

#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

extern "C" {
#include <libavformat/avformat.h>
}

#include <cstring>
#include <vector>

using namespace quillotap;
using namespace quillotap::test;

namespace {

QString writeMp3(const QTemporaryDir& dir, const QString& name, const MP3Lame& m,
                 double seconds = 3.0, bool silence = false) {
    const QString path = dir.filePath(name);
    AudioFile f;
    f.SetMP3Encoder(m);
    f.CreateForWriting(path, 0);
    if (f.GetStatus() != 0)
        return {};
    const int rate = f.GetSampleRate(), ch = f.GetChannels();
    if (silence)
        f.WriteSamples(SampleBlock(size_t(seconds * rate) * size_t(ch), 0));
    else
        writeTone(f, 440, seconds, rate, ch);
    f.Close();
    return path;
}

// Packet sizes and codec parameters as libavformat sees the file.
struct StreamFacts {
    int codecId = 0;
    int sampleRate = 0;
    int channels = 0;
    int64_t bitRate = 0;
    std::vector<int> packetSizes;
};

StreamFacts probe(const QString& path) {
    StreamFacts facts;
    AVFormatContext* fc = nullptr;
    if (avformat_open_input(&fc, path.toLocal8Bit().constData(), nullptr, nullptr) < 0)
        return facts;
    if (avformat_find_stream_info(fc, nullptr) >= 0 && fc->nb_streams > 0) {
        const AVCodecParameters* p = fc->streams[0]->codecpar;
        facts.codecId = p->codec_id;
        facts.sampleRate = p->sample_rate;
        facts.channels = p->ch_layout.nb_channels;
        facts.bitRate = p->bit_rate;
        AVPacket* pkt = av_packet_alloc();
        while (av_read_frame(fc, pkt) >= 0) {
            facts.packetSizes.push_back(pkt->size);
            av_packet_unref(pkt);
        }
        av_packet_free(&pkt);
    }
    avformat_close_input(&fc);
    return facts;
}

uint32_t le32(const QByteArray& b, int at) {
    uint32_t v = 0;
    std::memcpy(&v, b.constData() + at, 4);
    return v; // the test machines are little-endian, as the formats are
}
uint16_t le16(const QByteArray& b, int at) {
    uint16_t v = 0;
    std::memcpy(&v, b.constData() + at, 2);
    return v;
}

TEST(Mp3Settings, ConstantBitrateSetsTheFileSize) {
    QTemporaryDir dir;
    MP3Lame low, high;
    low.Bitrate = 64;
    high.Bitrate = 192;
    const qint64 lowSize = readBytes(writeMp3(dir, "64.mp3", low, 5)).size();
    const qint64 highSize = readBytes(writeMp3(dir, "192.mp3", high, 5)).size();
    ASSERT_GT(lowSize, 0);
    EXPECT_NEAR(double(highSize) / double(lowSize), 3.0, 0.15);
    EXPECT_NEAR(double(highSize) * 8 / 5 / 1000, 192, 10); // kbit/s over five seconds
}

TEST(Mp3Settings, VbrHeaderFrameIsWrittenWhenAskedFor) {
    QTemporaryDir dir;
    struct Case {
        int method;
        bool header;
        const char* expected; // marker in the first frame, nullptr for none
    };
    const Case cases[] = {{-1, true, "Info"},  {0, true, "Xing"},   {1, true, "Xing"},
                          {2, true, "Xing"},   {3, true, "Xing"},   {4, true, "Xing"},
                          {3, false, nullptr}, {-1, false, nullptr}};
    int n = 0;
    for (const Case& c : cases) {
        MP3Lame m;
        m.VbrCodingMethod = c.method;
        m.WritingVBRHeader = c.header;
        const QByteArray bytes = readBytes(writeMp3(dir, QString("h%1.mp3").arg(n++), m, 2));
        ASSERT_GT(bytes.size(), 1000);
        // The file starts with a frame: no ID3 tag from the encoder.
        EXPECT_EQ(uchar(bytes[0]), 0xFF);
        const QByteArray firstFrame = bytes.left(200);
        const bool hasXing = firstFrame.contains("Xing"), hasInfo = firstFrame.contains("Info");
        if (c.expected) {
            EXPECT_TRUE(firstFrame.contains(c.expected)) << c.method;
            EXPECT_TRUE(firstFrame.contains("LAME")) << c.method;
            // The tag holds the real frame count (big-endian after the flags).
            const int at = int(firstFrame.indexOf(c.expected));
            const uint32_t frames = (uint32_t(uchar(bytes[at + 8])) << 24) |
                                    (uint32_t(uchar(bytes[at + 9])) << 16) |
                                    (uint32_t(uchar(bytes[at + 10])) << 8) | uchar(bytes[at + 11]);
            EXPECT_NEAR(double(frames), 2.0 * 44100 / 1152, 3) << c.method;
        } else {
            EXPECT_FALSE(hasXing || hasInfo) << c.method;
        }
    }
}

TEST(Mp3Settings, ChannelModeIsInEveryFrameHeader) {
    QTemporaryDir dir;
    // Mode bits of the MPEG header: 0 stereo, 1 joint, 2 dual channel, 3 mono.
    const struct {
        int channels, typeStereo, modeBits;
    } cases[] = {{2, 1, 0}, {2, 2, 1}, {2, 3, 1}, {2, 4, 2}, {1, 2, 3}};
    int n = 0;
    for (const auto& c : cases) {
        MP3Lame m;
        m.Channels = c.channels;
        m.TypeStereo = c.typeStereo;
        m.WritingVBRHeader = false;
        const QByteArray bytes = readBytes(writeMp3(dir, QString("m%1.mp3").arg(n++), m, 1));
        ASSERT_GT(bytes.size(), 4);
        EXPECT_EQ((uchar(bytes[3]) >> 6) & 3, c.modeBits) << c.channels << "/" << c.typeStereo;
        const StreamFacts facts = probe(dir.filePath(QString("m%1.mp3").arg(n - 1)));
        EXPECT_EQ(facts.channels, c.channels);
    }
}

TEST(Mp3Settings, VbrQualityAndStrictMinimumShapeTheBitrate) {
    QTemporaryDir dir;
    MP3Lame best, worst;
    best.VbrCodingMethod = worst.VbrCodingMethod = 0;
    best.Bitrate = worst.Bitrate = 32; // minimum
    best.VbrBitrate = worst.VbrBitrate = 320;
    best.VbrQuality = 0;
    worst.VbrQuality = 9;
    const qint64 bestSize = readBytes(writeMp3(dir, "q0.mp3", best)).size();
    const qint64 worstSize = readBytes(writeMp3(dir, "q9.mp3", worst)).size();
    EXPECT_GT(bestSize, worstSize * 3 / 2);

    // On silence LAME drops below the minimum unless it is strictly enforced.
    MP3Lame strict;
    strict.VbrCodingMethod = 0;
    strict.Bitrate = 128;
    strict.StrictlyEnforceMinBitrate = true;
    MP3Lame loose = strict;
    loose.StrictlyEnforceMinBitrate = false;
    const int minFrame = 144 * 128000 / 44100; // bytes of a 128 kbit/s frame
    auto smallest = [](const StreamFacts& f) {
        return *std::min_element(f.packetSizes.begin(), f.packetSizes.end());
    };
    const StreamFacts strictFacts = probe(writeMp3(dir, "strict.mp3", strict, 3, true));
    const StreamFacts looseFacts = probe(writeMp3(dir, "loose.mp3", loose, 3, true));
    ASSERT_FALSE(strictFacts.packetSizes.empty());
    ASSERT_FALSE(looseFacts.packetSizes.empty());
    EXPECT_GE(smallest(strictFacts), minFrame);
    EXPECT_LT(smallest(looseFacts), minFrame);
}

// Fields of the Vorbis identification header in the first Ogg page.
struct VorbisIdent {
    int channels = 0;
    uint32_t rate = 0;
    int32_t maxBitrate = 0, nominalBitrate = 0, minBitrate = 0;
};

VorbisIdent readIdent(const QString& path) {
    const QByteArray b = readBytes(path);
    VorbisIdent id;
    const int at = int(b.indexOf(QByteArray("\x01vorbis", 7)));
    if (at < 0 || at + 27 > b.size())
        return id;
    id.channels = uchar(b[at + 11]);
    id.rate = le32(b, at + 12);
    id.maxBitrate = int32_t(le32(b, at + 16));
    id.nominalBitrate = int32_t(le32(b, at + 20));
    id.minBitrate = int32_t(le32(b, at + 24));
    return id;
}

TEST(OggSettings, BitrateModesAndQualityReachTheStreamHeader) {
    QTemporaryDir dir;
    auto write = [&](const QString& name, int rate, int ch, int br, int lo, int hi, int q) {
        AudioFile f;
        f.SetOGGFormat(rate, ch, br, lo, hi, q);
        f.CreateForWriting(dir.filePath(name), 0);
        EXPECT_EQ(f.GetStatus(), 0) << name.toStdString();
        writeTone(f, 440, 1.0, rate, ch);
        f.Close();
        return readIdent(dir.filePath(name));
    };
    const VorbisIdent cbr = write("cbr.ogg", 44100, 2, 128, 0, 0, -1);
    EXPECT_EQ(cbr.channels, 2);
    EXPECT_EQ(cbr.rate, 44100u);
    EXPECT_EQ(cbr.nominalBitrate, 128000);
    EXPECT_EQ(cbr.maxBitrate, 128000);
    EXPECT_EQ(cbr.minBitrate, 128000);

    const VorbisIdent vbr = write("vbr.ogg", 32000, 1, 96, 64, 160, -1);
    EXPECT_EQ(vbr.channels, 1);
    EXPECT_EQ(vbr.rate, 32000u);
    EXPECT_EQ(vbr.nominalBitrate, 96000);
    EXPECT_EQ(vbr.maxBitrate, 160000);
    EXPECT_EQ(vbr.minBitrate, 64000);

    // Quality mode has no limits; a higher quality means a higher nominal rate.
    const VorbisIdent q2 = write("q2.ogg", 44100, 2, 128, 0, 0, 200);
    const VorbisIdent q8 = write("q8.ogg", 44100, 2, 128, 0, 0, 800);
    EXPECT_LE(q2.maxBitrate, 0);
    EXPECT_LE(q2.minBitrate, 0);
    EXPECT_GT(q8.nominalBitrate, q2.nominalBitrate * 2);
}

TEST(OggSettings, CheckAsksTheEncoder) {
    AudioFile f;
    EXPECT_TRUE(f.CheckOGGFormat(44100, 2, 128, 0, 0));     // the defaults
    EXPECT_TRUE(f.CheckOGGFormat(44100, 2, 128, 128, 128)); // VBR with the default limits
    EXPECT_TRUE(f.CheckOGGFormat(44100, 2, 128, 96, 192));
    EXPECT_FALSE(f.CheckOGGFormat(44100, 2, 8, 0, 0));      // far below the stereo templates
    EXPECT_FALSE(f.CheckOGGFormat(44100, 2, 128, 192, 96)); // minimum above maximum
    EXPECT_FALSE(f.CheckOGGFormat(44100, 3, 128, 0, 0));
    EXPECT_FALSE(f.CheckOGGFormat(0, 2, 128, 0, 0));
}

TEST(OggSettings, ConstantBitrateOutOfRangeAtTheChosenRateStillRecords) {
    // The dialog checks a constant bitrate at 44.1 kHz and then uses its own
    // rate; the writer falls back to the nearest bitrate that rate supports.
    QTemporaryDir dir;
    AudioFile f;
    ASSERT_TRUE(f.CheckOGGFormat(44100, 2, 320, 0, 0));
    ASSERT_FALSE(f.CheckOGGFormat(16000, 2, 320, 0, 0));
    f.SetOGGFormat(16000, 2, 320, 0, 0, -1);
    f.CreateForWriting(dir.filePath("fallback.ogg"), 0);
    ASSERT_EQ(f.GetStatus(), 0) << f.GetErrorText().toStdString();
    writeTone(f, 440, 1.0, 16000, 2);
    f.Close();
    const VorbisIdent id = readIdent(dir.filePath("fallback.ogg"));
    EXPECT_EQ(id.rate, 16000u);
    EXPECT_GT(id.nominalBitrate, 0);
    EXPECT_LT(id.nominalBitrate, 320000);
}

TEST(WavSettings, EightBitHeaderIsValidWhileTheFileGrows) {
    QTemporaryDir dir;
    const QString path = dir.filePath("small.wav");
    AudioFile f;
    f.SetWAVFormat(8000, 1, 8);
    f.CreateForWriting(path, 0);
    ASSERT_EQ(f.GetStatus(), 0);
    for (int second = 1; second <= 2; ++second) {
        ASSERT_TRUE(writeTone(f, 1000, 1.0, 8000, 1));
        const QByteArray b = readBytes(path); // the file is still open for writing
        ASSERT_GE(b.size(), 44);
        EXPECT_EQ(b.left(4), "RIFF");
        EXPECT_EQ(b.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(le16(b, 20), 1);     // PCM
        EXPECT_EQ(le16(b, 22), 1);     // mono
        EXPECT_EQ(le32(b, 24), 8000u); // sample rate
        EXPECT_EQ(le32(b, 28), 8000u); // bytes per second
        EXPECT_EQ(le16(b, 32), 1);     // block align
        EXPECT_EQ(le16(b, 34), 8);     // bits per sample
        EXPECT_EQ(le32(b, 4), uint32_t(b.size() - 8));
        const int data = int(b.indexOf("data"));
        ASSERT_GT(data, 0);
        EXPECT_EQ(le32(b, data + 4), uint32_t(8000 * second));
        // Unsigned 8 bit: silence would be 128, a loud tone swings around it.
        EXPECT_GT(uchar(b[data + 8 + 2]), 128);
    }
}

TEST(WmaProfiles, EveryProfileEncodesWithItsOwnParameters) {
    QTemporaryDir dir;
    AudioFile f;
    QSet<QString> descriptions;
    for (int n = 1; n <= kWmaProfileCount; ++n) {
        f.SetWMAProfile(n);
        const QString description = f.GetFormatDescription();
        EXPECT_FALSE(description.isEmpty()) << n;
        EXPECT_FALSE(description.contains('\n')) << n;
        descriptions.insert(description);

        const WmaProfile p = wmaProfile(n);
        const QString path = dir.filePath(QString("p%1.wma").arg(n));
        f.CreateForWriting(path, 0);
        ASSERT_EQ(f.GetStatus(), 0) << n << f.GetErrorText().toStdString();
        EXPECT_EQ(f.GetSampleRate(), p.sampleRate);
        EXPECT_EQ(f.GetChannels(), p.channels);
        ASSERT_TRUE(writeTone(f, 440, 0.5, p.sampleRate, p.channels)) << n;
        f.CloseWriter();

        const StreamFacts facts = probe(path);
        EXPECT_EQ(facts.codecId, AV_CODEC_ID_WMAV2) << n;
        EXPECT_EQ(facts.bitRate, p.bitrateKbps * 1000) << n;
        EXPECT_EQ(facts.sampleRate, p.sampleRate) << n;
        EXPECT_EQ(facts.channels, p.channels) << n;
        const Decoded d = decodeFile(path);
        EXPECT_EQ(d.status, 0) << n;
        EXPECT_NEAR(d.seconds(), 0.5, 0.15) << n;
    }
    EXPECT_EQ(descriptions.size(), kWmaProfileCount);
    // Profile 14 is the default; 10 is normal size, 35 very small.
    EXPECT_EQ(wmaProfile(14).bitrateKbps * 2, wmaProfile(10).bitrateKbps);
    EXPECT_LT(wmaProfile(35).bitrateKbps, wmaProfile(14).bitrateKbps);
}

TEST(FormatDescription, DescribesTheFormatSetLast) {
    AudioFile f;
    EXPECT_EQ(f.GetFormatDescription(), "MP3 44,100 kHz; Stereo; 128 Kbps; ");
    f.SetWAVFormat(8000, 1, 8);
    EXPECT_EQ(f.GetFormatDescription(), "WAV 8,000 Hz; Mono; 8 bit");
    f.SetOGGFormat(44100, 2, 128, 0, 0, -1);
    EXPECT_EQ(f.GetFormatDescription(), "OGG 44,100 Hz; Stereo; 128 Kbps");
    f.SetOGGFormat(22050, 1, 128, 96, 192, -1);
    EXPECT_EQ(f.GetFormatDescription(), "OGG 22,050 Hz; Mono; 96-192Kbps");
    f.SetOGGFormat(44100, 2, 128, 0, 0, 425);
    EXPECT_EQ(f.GetFormatDescription(), "OGG 44,100 Hz; Stereo; Quality - 4.25");
    f.SetOGGFormat(44100, 2, 128, 0, 0, 300);
    EXPECT_EQ(f.GetFormatDescription(), "OGG 44,100 Hz; Stereo; Quality - 3.0");
    f.SetWMAProfile(14);
    const QString wma = f.GetFormatDescription();
    EXPECT_TRUE(wma.startsWith("WMA 64 kbps, 44,100 Hz, stereo")) << wma.toStdString();
    f.SetWMAProfile(48); // not a profile: ignored
    EXPECT_EQ(f.GetFormatDescription(), wma);

    MP3Lame m;
    m.SampleRate = 22050;
    m.Channels = 1;
    m.Bitrate = 32;
    f.SetMP3Encoder(m);
    EXPECT_EQ(f.GetFormatDescription(), "MP3 22,050 kHz; Mono; 32 Kbps; ");
    m = MP3Lame{};
    m.TypeStereo = 2;
    m.VbrCodingMethod = 3;
    f.SetMP3Encoder(m);
    EXPECT_EQ(f.GetFormatDescription(), "MP3 44,100 kHz; Joint Stereo; Quality 7; 128-192 Kbps; ");
    m.VbrCodingMethod = 4;
    m.TypeStereo = 4;
    f.SetMP3Encoder(m);
    EXPECT_EQ(f.GetFormatDescription(), "MP3 44,100 kHz; Dual Channels; ABR 128 Kbps; ");
}

TEST(Mp3Presets, ElevenDistinctPresetsWithinTheDialogsRanges) {
    const QSet<int> rates{8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
    const QSet<int> steps{8, 16, 24, 32, 48, 56, 64, 96, 112, 128, 160, 192, 224, 256, 320};
    const char* names[] = {"Phone", "SW",   "AM", "FM",     "Voice", "Radio",
                           "Tape",  "HiFi", "CD", "Studio", "R3Mix"};
    std::vector<MP3Lame> presets;
    for (int n = 1; n <= 11; ++n) {
        MP3Lame m;
        m.Preset(n);
        EXPECT_EQ(MP3Lame::PresetName(n), names[n - 1]);
        EXPECT_TRUE(rates.contains(m.SampleRate)) << n;
        EXPECT_TRUE(m.Channels == 1 || m.Channels == 2) << n;
        EXPECT_TRUE(m.TypeStereo >= 1 && m.TypeStereo <= 4) << n;
        EXPECT_TRUE(steps.contains(m.Bitrate)) << n;
        EXPECT_TRUE(steps.contains(m.VbrBitrate)) << n;
        EXPECT_TRUE(m.Quality >= 0 && m.Quality <= 9) << n;
        EXPECT_TRUE(m.VbrQuality >= 0 && m.VbrQuality <= 9) << n;
        EXPECT_TRUE(m.VbrCodingMethod >= -1 && m.VbrCodingMethod <= 4) << n;
        EXPECT_TRUE(m.AbrBitrate >= 10 && m.AbrBitrate <= 310) << n;
        for (const MP3Lame& other : presets)
            EXPECT_FALSE(other == m) << n;
        presets.push_back(m);
    }
    // Each preset is a setting LAME accepts.
    QTemporaryDir dir;
    for (int n = 1; n <= 11; ++n) {
        MP3Lame m;
        m.Preset(n);
        const QString path = writeMp3(dir, QString("preset%1.mp3").arg(n), m, 0.5);
        ASSERT_FALSE(path.isEmpty()) << n;
        const Decoded d = decodeFile(path);
        EXPECT_EQ(d.sampleRate, m.SampleRate) << n;
        EXPECT_EQ(d.channels, m.Channels) << n;
    }
    for (int n : {1, 2, 3, 5})
        EXPECT_EQ(presets[size_t(n - 1)].Channels, 1) << "speech preset " << n;
    EXPECT_EQ(presets[9].SampleRate, 48000);   // Studio
    EXPECT_EQ(presets[10].VbrCodingMethod, 3); // R3Mix: MTRH
    for (int n : {0, 12, -1}) {
        MP3Lame m;
        m.Preset(n);
        EXPECT_TRUE(m == MP3Lame{});
        EXPECT_TRUE(MP3Lame::PresetName(n).isEmpty());
    }
}

} // namespace
