// Every output format written from a synthetic tone and read back through
// the same engine: duration, format and pitch must survive the codec.
#include "CodecTestSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>

using namespace quillotap;
using namespace quillotap::test;

namespace {

struct RoundTripCase {
    const char* name;
    const char* extension;
    std::function<void(AudioFile&)> configure;
    int rate;
    int channels;
    double frequency;
    double lengthToleranceSeconds;
};

MP3Lame mp3With(std::function<void(MP3Lame&)> change) {
    MP3Lame m;
    change(m);
    return m;
}

const RoundTripCase kCases[] = {
    {"Mp3Cbr", "mp3", [](AudioFile& f) { f.SetMP3Encoder(MP3Lame{}); }, 44100, 2, 440, 0.05},
    {"Mp3MonoLowRate", "mp3",
     [](AudioFile& f) {
         f.SetMP3Encoder(mp3With([](MP3Lame& m) {
             m.SampleRate = 22050;
             m.Channels = 1;
             m.Bitrate = 32;
         }));
     },
     // Frames this small have no room for the LAME tag, so decoders also
     // return the encoder delay and padding (about 1100 + 576 samples).
     22050, 1, 1000, 0.08},
    {"Mp3VbrJointStereo", "mp3",
     [](AudioFile& f) {
         f.SetMP3Encoder(mp3With([](MP3Lame& m) {
             m.VbrCodingMethod = 3;
             m.TypeStereo = 2;
         }));
     },
     44100, 2, 440, 0.05},
    {"Mp3AbrDualChannel", "mp3",
     [](AudioFile& f) {
         f.SetMP3Encoder(mp3With([](MP3Lame& m) {
             m.VbrCodingMethod = 4;
             m.TypeStereo = 4;
             m.SampleRate = 48000;
         }));
     },
     48000, 2, 1000, 0.05},
    {"Mp3PhonePreset", "mp3",
     [](AudioFile& f) { f.SetMP3Encoder(mp3With([](MP3Lame& m) { m.Preset(1); })); }, 8000, 1, 440,
     0.2},
    {"OggQuality", "ogg", [](AudioFile& f) { f.SetOGGFormat(44100, 2, 128, 0, 0, 300); }, 44100, 2,
     440, 0.05},
    {"OggConstantBitrate", "ogg", [](AudioFile& f) { f.SetOGGFormat(48000, 2, 128, 0, 0, -1); },
     48000, 2, 1000, 0.05},
    {"OggManagedVbrMono", "ogg", [](AudioFile& f) { f.SetOGGFormat(22050, 1, 64, 48, 96, -1); },
     22050, 1, 440, 0.05},
    {"Wav16Stereo", "wav", [](AudioFile& f) { f.SetWAVFormat(44100, 2, 16); }, 44100, 2, 440,
     0.001},
    {"Wav8Mono", "wav", [](AudioFile& f) { f.SetWAVFormat(8000, 1, 8); }, 8000, 1, 1000, 0.001},
    {"Vox", "vox", [](AudioFile&) {}, 8000, 1, 440, 0.01},
    {"WmaDefaultProfile", "wma", [](AudioFile& f) { f.SetWMAProfile(14); }, 44100, 2, 440, 0.1},
    {"WmaSmallProfile", "wma", [](AudioFile& f) { f.SetWMAProfile(35); }, 22050, 1, 1000, 0.15},
    {"Flac16Fast", "flac", [](AudioFile& f) { f.SetFLACFormat(0, 16); }, 44100, 2, 440, 0.001},
    {"Flac24Smallest", "flac", [](AudioFile& f) { f.SetFLACFormat(8, 24); }, 44100, 2, 1000, 0.001},
    {"OpusMusic", "opus", [](AudioFile& f) { f.SetOpusFormat(96, false); }, 48000, 2, 440, 0.03},
    {"OpusVoiceLowest", "opus", [](AudioFile& f) { f.SetOpusFormat(6, true); }, 48000, 2, 440,
     0.03},
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, ToneSurvivesEncodingAndDecoding) {
    const RoundTripCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("tone.") + c.extension);
    constexpr double kSeconds = 3.0;
    {
        AudioFile writer;
        c.configure(writer);
        writer.CreateForWriting(path, 0);
        ASSERT_EQ(writer.GetStatus(), 0) << writer.GetErrorText().toStdString();
        EXPECT_EQ(writer.GetSampleRate(), c.rate);
        EXPECT_EQ(writer.GetChannels(), c.channels);
        ASSERT_TRUE(writeTone(writer, c.frequency, kSeconds, c.rate, c.channels));
        EXPECT_EQ(writer.GetWrittenFrames(), qint64(kSeconds * c.rate));
        writer.Close();
        EXPECT_FALSE(writer.IsWriting());
        EXPECT_TRUE(writer.GetWriteError().isEmpty());
    }
    const Decoded d = decodeFile(path);
    ASSERT_EQ(d.status, 0) << d.error.toStdString();
    EXPECT_EQ(d.sampleRate, c.rate);
    EXPECT_EQ(d.channels, c.channels);
    EXPECT_NEAR(d.seconds(), kSeconds, c.lengthToleranceSeconds);
    EXPECT_NEAR(double(d.length) / c.rate, kSeconds, c.lengthToleranceSeconds);
    EXPECT_NEAR(dominantFrequency(d.samples, d.sampleRate, d.channels), c.frequency,
                c.frequency * 0.01);
    EXPECT_GT(rmsLevel(d.samples), 0.2); // a 0.5 sine has an RMS of 0.35
}

TEST_P(RoundTrip, SeekLandsOnTheRequestedFrame) {
    const RoundTripCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("seek.") + c.extension);
    {
        AudioFile writer;
        c.configure(writer);
        writer.CreateForWriting(path, 0);
        ASSERT_EQ(writer.GetStatus(), 0);
        ASSERT_TRUE(writeTone(writer, c.frequency, 2.0, c.rate, c.channels));
    }
    AudioFile reader;
    reader.OpenForReading(path, 0, 1);
    ASSERT_EQ(reader.GetStatus(), 0);
    const qint64 total = decodeFile(path).frames();
    // Forward, backward and back to the start.
    for (qint64 target : {qint64(c.rate), qint64(c.rate / 2), qint64(0)}) {
        EXPECT_EQ(reader.Seek(target, 3), target);
        qint64 rest = 0;
        for (int i = 0; i < 10000; ++i) {
            const SampleBlock b = reader.ReadSamples(4096);
            if (b.empty())
                break;
            rest += qint64(b.size()) / c.channels;
        }
        EXPECT_NEAR(double(rest), double(total - target), c.rate * 0.02) << "target " << target;
    }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, RoundTrip, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InputConversion, BlocksInAnotherFormatAreResampledAndRemixed) {
    for (const char* ext : {"mp3", "wav"}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("converted.") + ext);
        AudioFile writer;
        MP3Lame m;
        m.SampleRate = 22050;
        m.Channels = 1;
        writer.SetMP3Encoder(m);
        writer.SetWAVFormat(22050, 1, 16);
        writer.CreateForWriting(path, 0);
        ASSERT_EQ(writer.GetStatus(), 0);
        writer.SetInputFormat(48000, 2);
        // Blocks of odd sizes, one of them ending in the middle of a frame.
        const SampleBlock tone = makeTone(1000, 48000, 2, 48000 * 2);
        const size_t cuts[] = {0, 30001, 96000, 150000, tone.size()};
        for (size_t i = 0; i + 1 < std::size(cuts); ++i)
            ASSERT_TRUE(writer.WriteSamples(SampleBlock(tone.begin() + ptrdiff_t(cuts[i]),
                                                        tone.begin() + ptrdiff_t(cuts[i + 1]))));
        writer.Close();

        const Decoded d = decodeFile(path);
        ASSERT_EQ(d.status, 0) << ext;
        EXPECT_EQ(d.sampleRate, 22050) << ext;
        EXPECT_EQ(d.channels, 1) << ext;
        EXPECT_NEAR(d.seconds(), 2.0, 0.05) << ext;
        EXPECT_NEAR(dominantFrequency(d.samples, 22050, 1), 1000, 10) << ext;
        EXPECT_NEAR(rmsLevel(d.samples), 0.35, 0.05) << ext; // stereo average keeps the level
    }
}

TEST(InputConversion, CreateResetsTheInputFormatToTheFilesFormat) {
    QTemporaryDir dir;
    AudioFile writer;
    writer.SetWAVFormat(16000, 1, 16);
    writer.CreateForWriting(dir.filePath("a.wav"), 0);
    writer.SetInputFormat(44100, 2);
    writer.Close();
    writer.CreateForWriting(dir.filePath("b.wav"), 0);
    ASSERT_TRUE(writeTone(writer, 440, 1.0, 16000, 1));
    writer.Close();
    EXPECT_EQ(decodeFile(dir.filePath("b.wav")).frames(), 16000);
}

TEST(VoxBlocks, OddBlocksAreAcceptedAndNoSampleIsInvented) {
    // Dialogic ADPCM packs two samples per byte; blocks of odd length (the
    // last one of a recording, or any after resampling) must be taken
    // whole, without the codec slipping in an extra sample.
    QTemporaryDir dir;
    const QString path = dir.filePath("odd.vox");
    AudioFile writer;
    writer.CreateForWriting(path, 0);
    ASSERT_EQ(writer.GetStatus(), 0);
    writer.SetInputFormat(8000, 1);
    const SampleBlock tone = makeTone(440, 8000, 1, 8000);
    const size_t cuts[] = {0, 801, 1600, 1601, 4000, 7999, tone.size()};
    for (size_t i = 0; i + 1 < std::size(cuts); ++i)
        ASSERT_TRUE(writer.WriteSamples(
            SampleBlock(tone.begin() + ptrdiff_t(cuts[i]), tone.begin() + ptrdiff_t(cuts[i + 1]))))
            << "block " << i << ": " << writer.GetWriteError().toStdString();
    ASSERT_TRUE(writer.WriteSamples(SampleBlock(tone.begin(), tone.begin() + 3)));
    writer.Close();
    // 8003 samples: 4001 whole bytes and one sample padded with silence.
    EXPECT_EQ(QFileInfo(path).size(), 4002);
    const Decoded d = decodeFile(path);
    EXPECT_EQ(d.frames(), 8004);
    EXPECT_NEAR(dominantFrequency(d.samples, 8000, 1), 440, 5);
}

} // namespace
