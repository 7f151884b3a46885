// The format dialogs opened from the main window's "Set" button: what they
// store reaches the files recorded afterwards, and what they store comes back
// in a new window started on the same configuration.
#include "../AppFixture.h"

#include "audio/AudioFile.h"
#include "audio/codecs/WmaProfiles.h"
#include "formats/FormOGG.h"
#include "formats/FormatCatalogue.h"

#include <QDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

#include <functional>
#include <memory>
#include <set>
#include <sndfile.h>

extern "C" {
#include <libavformat/avformat.h>
}

namespace quillotap::test {
namespace {

template <typename W> W* Child(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << "no control " << name;
    return widget;
}

void Press(QWidget& dialog, const char* name) {
    if (auto* button = Child<QAbstractButton>(dialog, name))
        button->click();
}

void Choose(QWidget& dialog, const char* comboName, int data) {
    if (auto* combo = Child<QComboBox>(dialog, comboName)) {
        const int index = combo->findData(data);
        ASSERT_GE(index, 0) << comboName << " offers no " << data;
        combo->setCurrentIndex(index);
    }
}

void SlideTo(QWidget& dialog, const char* sliderName, int position) {
    if (auto* slider = Child<QSlider>(dialog, sliderName))
        slider->setValue(position);
}

quint32 Le(const QByteArray& bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes.at(at + i));
    return value;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 Be32(const QByteArray& bytes, qsizetype at) {
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<quint8>(bytes.at(at + i));
    return value;
}

// One MPEG-1/2/2.5 Layer III frame header.
struct Mp3Frame {
    int kbps;
    int rate;
    int channels;
    int samples; // per channel
    qsizetype offset;
    qsizetype length;
};

// An MP3 file taken apart: the frames between the leading ID3v2 tag and the
// trailing ID3v1 tag, where the walk over them stopped, and the LAME header
// frame ("Xing" for VBR, "Info" for CBR) with the counts it announces.
struct Mp3Stream {
    std::vector<Mp3Frame> frames; // the header frame included
    qsizetype audioStart = 0;
    qsizetype audioEnd = 0;   // where the frames have to end
    qsizetype walkedTo = 0;   // where the walk over the frames ended
    QByteArray headerKind;    // "Xing", "Info" or empty
    qint64 headerFrames = -1; // audio frames after the header frame
    qint64 headerBytes = -1;  // bytes of all frames, the header frame included

    // Frames holding sound, the header frame left out.
    std::size_t audioFrames() const { return frames.size() - (headerKind.isEmpty() ? 0 : 1); }
    double seconds() const {
        double total = 0;
        for (std::size_t i = headerKind.isEmpty() ? 0 : 1; i < frames.size(); ++i)
            total += double(frames[i].samples) / frames[i].rate;
        return total;
    }
};

std::optional<Mp3Frame> ParseFrameHeader(const QByteArray& data, qsizetype at) {
    static const int kMpeg1[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                   112, 128, 160, 192, 224, 256, 320, 0};
    static const int kMpeg2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
    static const int kRates[3] = {44100, 48000, 32000};
    if (at + 4 > data.size())
        return std::nullopt;
    const quint8 b0 = static_cast<quint8>(data[at]), b1 = static_cast<quint8>(data[at + 1]),
                 b2 = static_cast<quint8>(data[at + 2]), b3 = static_cast<quint8>(data[at + 3]);
    const int version = (b1 >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5, 1 reserved
    const int bitrateIndex = b2 >> 4, rateIndex = (b2 >> 2) & 3;
    // Layer III only; free-format (index 0) frames have no length of their own.
    if (b0 != 0xff || (b1 & 0xe0) != 0xe0 || version == 1 || ((b1 >> 1) & 3) != 1 ||
        bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return std::nullopt;
    const bool mpeg1 = version == 3;
    const int kbps = mpeg1 ? kMpeg1[bitrateIndex] : kMpeg2[bitrateIndex];
    const int rate = kRates[rateIndex] / (mpeg1 ? 1 : version == 2 ? 2 : 4);
    const int samples = mpeg1 ? 1152 : 576;
    const qsizetype length = qsizetype(samples / 8) * kbps * 1000 / rate + ((b2 >> 1) & 1);
    return Mp3Frame{kbps, rate, (b3 >> 6) == 3 ? 1 : 2, samples, at, length};
}

Mp3Stream ParseMp3(const QByteArray& data) {
    Mp3Stream stream;
    if (data.startsWith("ID3") && data.size() >= 10) {
        const bool footer = Le(data, 5, 1) & 0x10;
        stream.audioStart = 10 + (footer ? 10 : 0) +
                            ((Le(data, 6, 1) & 0x7f) << 21 | (Le(data, 7, 1) & 0x7f) << 14 |
                             (Le(data, 8, 1) & 0x7f) << 7 | (Le(data, 9, 1) & 0x7f));
    }
    stream.audioEnd = data.size();
    if (data.size() >= stream.audioStart + 128 && data.mid(data.size() - 128, 3) == "TAG")
        stream.audioEnd -= 128;
    qsizetype at = stream.audioStart;
    while (at < stream.audioEnd) {
        const auto frame = ParseFrameHeader(data, at);
        if (!frame || at + frame->length > stream.audioEnd)
            break;
        stream.frames.push_back(*frame);
        at += frame->length;
    }
    stream.walkedTo = at;
    if (stream.frames.empty())
        return stream;
    // The LAME header sits where the first frame's side information ends.
    const Mp3Frame& first = stream.frames.front();
    const bool mpeg1 = first.samples == 1152;
    const qsizetype tag =
        first.offset + 4 +
        (mpeg1 ? (first.channels == 1 ? 17 : 32) : (first.channels == 1 ? 9 : 17));
    const QByteArray kind = data.mid(tag, 4);
    if (kind == "Xing" || kind == "Info") {
        stream.headerKind = kind;
        const quint32 flags = Be32(data, tag + 4);
        qsizetype field = tag + 8;
        if (flags & 1) {
            stream.headerFrames = Be32(data, field);
            field += 4;
        }
        if (flags & 2)
            stream.headerBytes = Be32(data, field);
    }
    return stream;
}

// The fields of the Vorbis identification header of an Ogg file.
struct VorbisId {
    int channels = 0;
    int rate = 0;
    qint32 maximum = 0;
    qint32 nominal = 0;
    qint32 minimum = 0;
};

std::optional<VorbisId> ReadVorbisId(const QByteArray& data) {
    const qsizetype at = data.indexOf(QByteArray("\x01vorbis", 7));
    if (!data.startsWith("OggS") || at < 0 || at + 7 + 4 + 1 + 4 + 12 > data.size())
        return std::nullopt;
    VorbisId id;
    id.channels = static_cast<int>(Le(data, at + 11, 1));
    id.rate = static_cast<int>(Le(data, at + 12, 4));
    id.maximum = static_cast<qint32>(Le(data, at + 16, 4));
    id.nominal = static_cast<qint32>(Le(data, at + 20, 4));
    id.minimum = static_cast<qint32>(Le(data, at + 24, 4));
    return id;
}

// What libavformat reports about the first audio stream of a file.
struct StreamInfo {
    int rate = 0;
    int channels = 0;
    qint64 bitrate = 0;
};

std::optional<StreamInfo> ProbeStream(const QString& path) {
    AVFormatContext* context = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (avformat_open_input(&context, name.constData(), nullptr, nullptr) < 0)
        return std::nullopt;
    std::optional<StreamInfo> info;
    if (avformat_find_stream_info(context, nullptr) >= 0) {
        const int index = av_find_best_stream(context, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
        if (index >= 0) {
            const AVCodecParameters* p = context->streams[index]->codecpar;
            info = StreamInfo{p->sample_rate, p->ch_layout.nb_channels, p->bit_rate};
        }
    }
    avformat_close_input(&context);
    return info;
}

class FormatDialogsWindowTest : public FastAppFixture {
protected:
    FormMain& startWindow() {
        FormMain& f = start();
        EXPECT_TRUE(started_);
        return f;
    }

    // Selects the format and opens its dialog with "Set"; `drive` works the
    // open dialog. A dialog still open afterwards is cancelled. Returns the
    // object name of the dialog that opened.
    QString openDialog(int format, std::function<void(QDialog&)> drive) {
        control<QComboBox>("ComboFormat")->setCurrentIndex(format);
        auto opened = std::make_shared<QString>();
        QTimer::singleShot(0, &form(), [opened, drive] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            *opened = dialog->objectName();
            drive(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        control<QPushButton>("CmdSet")->click();
        return *opened;
    }

    // Records at least one second of the accelerated clock; returns the
    // finished file. The wait follows the recorder's own count of captured
    // frames: the elapsed-time label still shows the previous recording's
    // time until the first tick of the next one.
    QString recordASecond() {
        control<QPushButton>("CmdRecord")->click();
        EXPECT_TRUE(form().recordingSession().isRecording());
        AudioRecord& recorder = form().recordingSession().recorder();
        qint64 captured = 0;
        const QMetaObject::Connection ticks =
            QObject::connect(&recorder, &AudioRecord::Timer,
                             [&captured](qint64 frames, int, int) { captured = frames; });
        EXPECT_TRUE(WaitFor([&] { return recorder.SamplesToMilliseconds(captured) >= 1000; }));
        QObject::disconnect(ticks);
        control<QPushButton>("CmdStopRecord")->click();
        EXPECT_FALSE(form().recordingSession().isRecording());
        const QString path = form().recordingSession().outputFilePath();
        EXPECT_GT(QFileInfo(path).size(), 0) << path.toStdString();
        return path;
    }
};

TEST_F(FormatDialogsWindowTest, WavChoicesReachTheFileHeader) {
    const struct {
        const char *rate, *channels, *bits;
        int expectRate, expectChannels, expectBits;
    } cases[] = {{"F4", "P1", "B1", 22050, 1, 8},
                 {"F8", "P2", "B2", 48000, 2, 16},
                 {"F1", "P2", "B1", 8000, 2, 8}};
    startWindow();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expectRate);
        EXPECT_EQ(openDialog(FormatWAV,
                             [&](QDialog& d) {
                                 Press(d, c.rate);
                                 Press(d, c.channels);
                                 Press(d, c.bits);
                                 Press(d, "cmdOk");
                             }),
                  "FormWAV");
        const QString path = recordASecond();
        EXPECT_TRUE(path.endsWith(".wav"));
        const QByteArray data = ReadAll(path);
        ASSERT_GE(data.size(), 44);
        EXPECT_TRUE(data.startsWith("RIFF"));
        EXPECT_EQ(data.mid(8, 4), "WAVE");
        EXPECT_EQ(Le(data, 22, 2), quint32(c.expectChannels));
        EXPECT_EQ(Le(data, 24, 4), quint32(c.expectRate));
        EXPECT_EQ(Le(data, 34, 2), quint32(c.expectBits));
        EXPECT_EQ(Le(data, 28, 4), quint32(c.expectRate * c.expectChannels * c.expectBits / 8));
        QFile::remove(path);
    }
}

TEST_F(FormatDialogsWindowTest, Mp3ChoicesReachTheFrames) {
    // Positions of the bitrate sliders on the 15 steps 8..320 kbit/s.
    constexpr int At64 = 6, At160 = 10, At192 = 11;
    constexpr int NoVbr = 0, NewVbr = 3; // positions in the VBR method list
    const struct {
        int rate;
        int channelMode;    // 0 mono, 1 stereo
        int sliderPosition; // the constant bitrate, or the VBR minimum
        int vbrMethod;
        int vbrMaxPosition; // VBR only
        bool header;        // "Write VBR Header"
        int expectKbps;     // 0: VBR frames behind a "Xing" header
        int expectChannels;
    } cases[] = {{22050, 0, At64, NoVbr, 0, true, 64, 1},
                 {44100, 1, At192, NoVbr, 0, true, 192, 2},
                 {44100, 1, At64, NoVbr, 0, false, 64, 2},
                 {44100, 1, At64, NewVbr, At160, true, 0, 2}};
    startWindow();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.rate << " Hz, slider " << c.sliderPosition << ", VBR method "
                     << c.vbrMethod << ", header " << c.header);
        EXPECT_EQ(
            openDialog(FormatMP3,
                       [&](QDialog& d) {
                           Choose(d, "cmbFrequency", c.rate);
                           Child<QComboBox>(d, "cmbChMode")->setCurrentIndex(c.channelMode);
                           SlideTo(d, "sldrBitrate", c.sliderPosition);
                           Child<QComboBox>(d, "cmbVBRCodingMethod")->setCurrentIndex(c.vbrMethod);
                           if (c.vbrMethod != NoVbr)
                               SlideTo(d, "sldrVbrBitrate", c.vbrMaxPosition);
                           if (auto* header = Child<QCheckBox>(d, "chWriteVBRHeader"))
                               header->setChecked(c.header);
                           Press(d, "CmdOK");
                       }),
            "FormMP3");
        const QString path = recordASecond();
        EXPECT_TRUE(path.endsWith(".mp3"));

        AudioFile reader;
        reader.OpenForReading(path);
        ASSERT_GE(reader.GetStatus(), 0);
        EXPECT_EQ(reader.GetSampleRate(), c.rate);
        EXPECT_EQ(reader.GetChannels(), c.expectChannels);
        reader.Close();

        const Mp3Stream mp3 = ParseMp3(ReadAll(path));
        // Whole frames from the tag to the end of the file, nothing torn.
        EXPECT_EQ(mp3.walkedTo, mp3.audioEnd);
        ASSERT_GT(mp3.audioFrames(), 10u);
        EXPECT_GE(mp3.seconds(), 1.0);
        for (const Mp3Frame& f : mp3.frames) {
            EXPECT_EQ(f.rate, c.rate);
            EXPECT_EQ(f.channels, c.expectChannels);
        }
        if (c.header) {
            EXPECT_EQ(mp3.headerKind, c.expectKbps ? "Info" : "Xing");
            EXPECT_EQ(mp3.headerFrames, qint64(mp3.audioFrames()));
            EXPECT_EQ(mp3.headerBytes, qint64(mp3.walkedTo - mp3.audioStart));
        } else {
            EXPECT_EQ(mp3.headerKind, "");
        }
        const std::size_t firstAudio = mp3.frames.size() - mp3.audioFrames();
        std::set<int> rates;
        for (std::size_t i = firstAudio; i < mp3.frames.size(); ++i)
            rates.insert(mp3.frames[i].kbps);
        if (c.expectKbps)
            EXPECT_EQ(rates, std::set<int>{c.expectKbps});
        else
            EXPECT_LE(*rates.rbegin(), 160);
        QFile::remove(path);
    }
}

TEST_F(FormatDialogsWindowTest, OggChoicesReachTheIdentificationHeader) {
    const struct {
        int rate;
        int channelMode; // 0 mono, 1 stereo
        int bitrateKbps; // constant bitrate; 0: quality mode
        int quality;     // quality slider position, quality mode only
    } cases[] = {{44100, 1, 128, 0}, {22050, 0, 64, 0}, {44100, 1, 0, 425}};
    startWindow();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.bitrateKbps << " kbit/s");
        EXPECT_EQ(openDialog(FormatOGG,
                             [&](QDialog& d) {
                                 Choose(d, "cmbFrequency", c.rate);
                                 Child<QComboBox>(d, "cmbChMode")->setCurrentIndex(c.channelMode);
                                 auto* quality = Child<QCheckBox>(d, "chQuality");
                                 auto* vbr = Child<QCheckBox>(d, "chVbr");
                                 if (vbr->isChecked())
                                     vbr->click();
                                 if (quality->isChecked() != (c.bitrateKbps == 0))
                                     quality->click();
                                 if (c.bitrateKbps)
                                     SlideTo(d, "sldrBitrate",
                                             FormOGG::BitratePosition(c.bitrateKbps));
                                 else
                                     SlideTo(d, "sldrQuality", c.quality);
                                 Press(d, "cmdOk");
                                 EXPECT_FALSE(d.isVisible()) << "the dialog refused the choice";
                             }),
                  "FormOGG");
        const QString path = recordASecond();
        EXPECT_TRUE(path.endsWith(".ogg"));
        const auto id = ReadVorbisId(ReadAll(path));
        ASSERT_TRUE(id);
        EXPECT_EQ(id->rate, c.rate);
        EXPECT_EQ(id->channels, c.channelMode + 1);
        if (c.bitrateKbps) {
            EXPECT_EQ(id->nominal, c.bitrateKbps * 1000);
        } else {
            // Quality mode leaves the upper and lower limits unset.
            EXPECT_GT(id->nominal, 0);
            EXPECT_LE(id->maximum, 0);
            EXPECT_LE(id->minimum, 0);
        }
        QFile::remove(path);
    }
}

// The FLAC and Opus dialogs, opened with "Set": the format line and the
// next recording follow what OK stored.
TEST_F(FormatDialogsWindowTest, FlacAndOpusChoicesReachTheLineAndTheFile) {
    startWindow();
    auto* line = control<QLabel>("LabelFomartStr");
    for (int bits : {24, 16}) {
        SCOPED_TRACE(bits);
        EXPECT_EQ(openDialog(FormatFLAC,
                             [&](QDialog& d) {
                                 SlideTo(d, "sldrLevel", 1);
                                 Press(d, bits == 24 ? "B2" : "B1");
                                 Press(d, "cmdOk");
                             }),
                  "FormFLAC");
        EXPECT_EQ(line->text(),
                  QStringLiteral("FLAC 44,100 Hz; Stereo; %1 bit; Level 1").arg(bits));
        const QString path = recordASecond();
        EXPECT_TRUE(path.endsWith(".flac"));
        SF_INFO info{};
        SNDFILE* sf = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
        ASSERT_NE(sf, nullptr);
        EXPECT_EQ(info.format & SF_FORMAT_SUBMASK,
                  bits == 24 ? SF_FORMAT_PCM_24 : SF_FORMAT_PCM_16);
        EXPECT_GE(info.frames, 44100);
        sf_close(sf);
        QFile::remove(path);
    }

    EXPECT_EQ(openDialog(FormatOPUS,
                         [&](QDialog& d) {
                             SlideTo(d, "sldrBitrate", 24);
                             Press(d, "P1");
                             Press(d, "cmdOk");
                         }),
              "FormOPUS");
    EXPECT_EQ(line->text(), "OPUS 48,000 Hz; Stereo; 24 Kbps; Voice");
    const QString path = recordASecond();
    EXPECT_TRUE(path.endsWith(".opus"));
    const auto stream = ProbeStream(path);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->rate, 48000);
    EXPECT_EQ(stream->channels, 2);
    // A cancelled dialog leaves the stored choice.
    openDialog(FormatOPUS, [&](QDialog& d) {
        SlideTo(d, "sldrBitrate", 200);
        Press(d, "cmdCancel");
    });
    EXPECT_EQ(line->text(), "OPUS 48,000 Hz; Stereo; 24 Kbps; Voice");
    EXPECT_EQ(form().formatOptions().settings.OPUSBitrate, 24);
}

TEST_F(FormatDialogsWindowTest, WmaProfileReachesTheStream) {
    startWindow();
    for (int profile : {kWmaNormalProfile, kWmaDefaultProfile, kWmaSmallProfile, 1, 47}) {
        SCOPED_TRACE(profile);
        EXPECT_EQ(openDialog(FormatWMA,
                             [&](QDialog& d) {
                                 Child<QComboBox>(d, "Combo1")->setCurrentIndex(profile - 1);
                                 Press(d, "CmdOK");
                             }),
                  "FormWMA");
        const QString path = recordASecond();
        EXPECT_TRUE(path.endsWith(".wma"));
        const WmaProfile expected = wmaProfile(profile);
        const auto info = ProbeStream(path);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->rate, expected.sampleRate);
        EXPECT_EQ(info->channels, expected.channels);
        EXPECT_NEAR(static_cast<double>(info->bitrate), expected.bitrateKbps * 1000.0,
                    expected.bitrateKbps * 1000.0 * 0.05);
        QFile::remove(path);
    }
}

TEST_F(FormatDialogsWindowTest, DialogChoicesAreBackAfterARestart) {
    startWindow();
    int oggQuality = -1;
    openDialog(FormatWAV, [](QDialog& d) {
        Press(d, "F4");
        Press(d, "P1");
        Press(d, "B1");
        Press(d, "cmdOk");
    });
    openDialog(FormatOGG, [&](QDialog& d) {
        auto* quality = Child<QCheckBox>(d, "chQuality");
        if (!quality->isChecked())
            quality->click();
        SlideTo(d, "sldrQuality", 425);
        oggQuality = static_cast<FormOGG&>(d).Quality;
        Press(d, "cmdOk");
    });
    openDialog(FormatWMA, [](QDialog& d) {
        Child<QComboBox>(d, "Combo1")->setCurrentIndex(kWmaNormalProfile - 1);
        Press(d, "CmdOK");
    });
    openDialog(FormatMP3, [](QDialog& d) {
        Choose(d, "cmbFrequency", 22050);
        Child<QComboBox>(d, "cmbChMode")->setCurrentIndex(0);
        Press(d, "CmdOK");
    });
    ASSERT_EQ(oggQuality, 425);

    restart();
    ASSERT_TRUE(started_);
    EXPECT_EQ(openDialog(FormatWAV,
                         [](QDialog& d) {
                             for (const char* name : {"F4", "P1", "B1"})
                                 EXPECT_TRUE(Child<QRadioButton>(d, name)->isChecked()) << name;
                         }),
              "FormWAV");
    EXPECT_EQ(openDialog(FormatOGG,
                         [](QDialog& d) {
                             EXPECT_TRUE(Child<QCheckBox>(d, "chQuality")->isChecked());
                             EXPECT_EQ(Child<QSlider>(d, "sldrQuality")->value(), 425);
                             EXPECT_EQ(static_cast<FormOGG&>(d).Quality, 425);
                         }),
              "FormOGG");
    EXPECT_EQ(openDialog(FormatWMA,
                         [](QDialog& d) {
                             EXPECT_EQ(Child<QComboBox>(d, "Combo1")->currentIndex(),
                                       kWmaNormalProfile - 1);
                             EXPECT_TRUE(Child<QRadioButton>(d, "Option1")->isChecked());
                         }),
              "FormWMA");
    EXPECT_EQ(openDialog(FormatMP3,
                         [](QDialog& d) {
                             EXPECT_EQ(Child<QComboBox>(d, "cmbFrequency")->currentData().toInt(),
                                       22050);
                             EXPECT_EQ(Child<QComboBox>(d, "cmbChMode")->currentIndex(), 0);
                         }),
              "FormMP3");
}

} // namespace
} // namespace quillotap::test
