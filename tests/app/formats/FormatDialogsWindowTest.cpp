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

// The MPEG audio frames of a file after its ID3v2 tag: bitrate, sample
// rate, channel count and where each frame starts.
struct Mp3Frame {
    int kbps;
    int rate;
    int channels;
    qsizetype offset;
    qsizetype length;
};

std::vector<Mp3Frame> Mp3Frames(const QByteArray& data) {
    static const int kMpeg1[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                   112, 128, 160, 192, 224, 256, 320, 0};
    static const int kMpeg2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
    static const int kRates[3] = {44100, 48000, 32000};
    qsizetype at = 0;
    if (data.startsWith("ID3") && data.size() > 10)
        at = 10 + ((Le(data, 6, 1) & 0x7f) << 21 | (Le(data, 7, 1) & 0x7f) << 14 |
                   (Le(data, 8, 1) & 0x7f) << 7 | (Le(data, 9, 1) & 0x7f));
    std::vector<Mp3Frame> frames;
    while (at + 4 <= data.size()) {
        const quint8 b0 = static_cast<quint8>(data[at]), b1 = static_cast<quint8>(data[at + 1]),
                     b2 = static_cast<quint8>(data[at + 2]), b3 = static_cast<quint8>(data[at + 3]);
        const int version = (b1 >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
        const int bitrateIndex = b2 >> 4, rateIndex = (b2 >> 2) & 3;
        if (b0 != 0xff || (b1 & 0xe0) != 0xe0 || version == 1 || ((b1 >> 1) & 3) != 1 ||
            bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
            break;
        const bool mpeg1 = version == 3;
        const int kbps = mpeg1 ? kMpeg1[bitrateIndex] : kMpeg2[bitrateIndex];
        const int rate = kRates[rateIndex] / (mpeg1 ? 1 : version == 2 ? 2 : 4);
        const qsizetype length = (mpeg1 ? 144 : 72) * kbps * 1000 / rate + ((b2 >> 1) & 1);
        frames.push_back({kbps, rate, (b3 >> 6) == 3 ? 1 : 2, at, length});
        at += length;
    }
    return frames;
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

class FormatDialogsWindowTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        backend_->setSpeed(40);
    }
    void TearDown() override {
        AppFixture::TearDown();
        backend_->setSpeed(1);
    }

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

    // Records a little over one second of the accelerated clock; returns the
    // finished file.
    QString recordASecond() {
        control<QPushButton>("CmdRecord")->click();
        EXPECT_TRUE(state().RecordingActive);
        EXPECT_TRUE(WaitFor([&] {
            const QString t = control<QLabel>("LabelRTime")->text();
            return !t.isEmpty() && t != "00:00:00";
        }));
        control<QPushButton>("CmdStopRecord")->click();
        EXPECT_FALSE(state().RecordingActive);
        const QString path = state().OutputFilePath;
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

TEST_F(FormatDialogsWindowTest, DISABLED_Mp3ChoicesReachTheFrames) {
    // Bitrate slider positions of the 15 steps 8..320 kbit/s.
    constexpr int At64 = 6, At192 = 11;
    const struct {
        int rate;
        int channelMode; // 0 mono, 1 stereo
        int sliderPosition;
        int vbrMethod;  // list position: 0 "No VBR", 3 "New"
        int expectKbps; // 0: frames of varying size behind a Xing header
        int expectChannels;
    } cases[] = {{22050, 0, At64, 0, 64, 1},
                 {44100, 1, At192, 0, 192, 2},
                 {44100, 1, At64, 0, 64, 2},
                 {44100, 1, At192, 3, 0, 2}};
    startWindow();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, slider " << c.sliderPosition
                                        << ", VBR method " << c.vbrMethod);
        EXPECT_EQ(
            openDialog(FormatMP3,
                       [&](QDialog& d) {
                           Choose(d, "cmbFrequency", c.rate);
                           Child<QComboBox>(d, "cmbChMode")->setCurrentIndex(c.channelMode);
                           SlideTo(d, "sldrBitrate", c.sliderPosition);
                           Child<QComboBox>(d, "cmbVBRCodingMethod")->setCurrentIndex(c.vbrMethod);
                           if (auto* header = Child<QCheckBox>(d, "chWriteVBRHeader"))
                               header->setChecked(true);
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

        const QByteArray data = ReadAll(path);
        const auto frames = Mp3Frames(data);
        ASSERT_GT(frames.size(), 10u);
        for (const Mp3Frame& f : frames) {
            EXPECT_EQ(f.rate, c.rate);
            EXPECT_EQ(f.channels, c.expectChannels);
        }
        const QByteArray first = data.mid(frames[0].offset, frames[0].length);
        const bool hasXing = first.contains("Xing");
        std::set<int> rates;
        // The first frame may be the Xing/Info header frame; the audio follows.
        for (std::size_t i = 1; i < frames.size(); ++i)
            rates.insert(frames[i].kbps);
        if (c.expectKbps) {
            EXPECT_FALSE(hasXing);
            EXPECT_EQ(rates, std::set<int>{c.expectKbps});
        } else {
            EXPECT_TRUE(hasXing) << "no VBR header in the first frame";
        }
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
