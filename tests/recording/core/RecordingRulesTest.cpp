// The pure rules of recording: duration and size texts, file names, tag
// numbers, limit boxes, limit decisions and the volume knob.
#include "RecordingFixture.h"

#include "audio/AudioInformation.h"
#include "recording/FormatElapsed.h"
#include "recording/OutputFileName.h"
#include "recording/RecordingLimits.h"
#include "recording/RecordingTag.h"
#include "recording/RecordingTexts.h"

#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

namespace quillotap::test {
namespace {

TEST(FormatElapsed, Durations) {
    const std::pair<double, const char*> cases[] = {
        {-3, "00:00:00"},
        {0, "00:00:00"},
        {5, "00:00:05"},
        {59, "00:00:59"},
        {60, "00:01:00"},
        {75, "00:01:15"},
        {3599, "00:59:59"},
        {3600, "01:00:00"},
        {3725, "01:02:05"},
        {86400, "24:00:00"},
        {359999, "99:59:59"},
        {360000, "100:00:00"},
        {3600000, "1000:00:00"},
        {60.5, "00:01:00"},
        {61.5, "00:01:02"},
        {0.4, "00:00:00"},
        {std::nan(""), "00:00:00"},
        // Seconds that round up to the next minute or hour carry into it.
        {59.5, "00:01:00"},
        {59.6, "00:01:00"},
        {119.6, "00:02:00"},
        {3599.6, "01:00:00"},
        {59.4, "00:00:59"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(FormatElapsed(seconds), QString::fromLatin1(text)) << seconds;
}

TEST(SizeTexts, GroupingDecimalsAndUnits) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(FormatKilobytes(0, english), QStringLiteral("0.00"));
    EXPECT_EQ(FormatKilobytes(1234.5, english), QStringLiteral("1,234.50"));
    EXPECT_EQ(FormatKilobytes(1234.5, german), QStringLiteral("1.234,50"));
    EXPECT_EQ(FormatKilobytes(1234.5, QLocale::c()), QStringLiteral("1,234.50"));
    EXPECT_EQ(RunningSizeText(10 * 1024 * 1024 + 512, english), QStringLiteral("10,240.50 KB"));
    EXPECT_EQ(FinalSizeText(1536, english), QStringLiteral("1.50 Kb"));
}

TEST(OutputFileName, DateTimeAndLowerCaseExtension) {
    const QDateTime when(QDate(2026, 12, 7), QTime(18, 15, 41));
    EXPECT_EQ(MakeOutputFileName(QStringLiteral("MP3"), when),
              QStringLiteral("20261207-181541.mp3"));
    EXPECT_EQ(
        MakeOutputFileName(QStringLiteral("OGG"), QDateTime(QDate(2027, 1, 2), QTime(3, 4, 5))),
        QStringLiteral("20270102-030405.ogg"));
}

TEST(OutputFileName, NeverTheNameOfSomethingThatExists) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QDateTime when(QDate(2026, 12, 7), QTime(18, 15, 41));
    EXPECT_EQ(UniqueOutputFileName(folder, QStringLiteral("WAV"), when),
              QStringLiteral("20261207-181541.wav"));
    QFile(folder + QStringLiteral("20261207-181541.wav")).open(QIODevice::WriteOnly);
    QDir(folder).mkdir(QStringLiteral("20261207-181541-2.wav"));
    EXPECT_EQ(UniqueOutputFileName(folder, QStringLiteral("WAV"), when),
              QStringLiteral("20261207-181541-3.wav"));
    // Another extension is another name.
    EXPECT_EQ(UniqueOutputFileName(folder, QStringLiteral("MP3"), when),
              QStringLiteral("20261207-181541.mp3"));
}

TEST(TagNumbers, LeadingNumberRoundedHalfToEven) {
    const std::pair<const char*, qint64> cases[] = {
        {"", 0},    {"abc", 0}, {"1", 1},       {"  12abc", 12}, {"-1", -1},
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2},   {"2.51", 3},     {"1e3", 1000},
        {"4e", 4},  {".5", 0},  {"+7 days", 7}, {"2026", 2026},  {"- 3", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(LeadingInteger(QString::fromLatin1(text), -32768, 32767, -99), value) << text;
    EXPECT_EQ(LeadingInteger(QStringLiteral("40000"), -32768, 32767, -99), -99);
    EXPECT_EQ(LeadingInteger(QStringLiteral("1e999"), -32768, 32767, -99), -99);
}

TEST(TagNumbers, DefaultTagFields) {
    AudioInformation tag;
    tag.Title = QStringLiteral("left over from another file");
    tag.Genre = 17;
    ID3Defaults d;
    d.Artist = QStringLiteral("Ann");
    d.Genre = QStringLiteral("12.5");
    d.Year = QStringLiteral("2026 AD");
    d.Track = QStringLiteral("99999");
    SetDefaultTag(tag, d);
    EXPECT_EQ(tag.Title, QString());
    EXPECT_EQ(tag.Artist, QStringLiteral("Ann"));
    EXPECT_EQ(tag.Genre, 12);
    EXPECT_EQ(tag.Year, 2026);
    EXPECT_EQ(tag.Track, 0); // does not fit 16 bits: no track
    EXPECT_TRUE(TakesDefaultTag(QStringLiteral("/x/a.MP3")));
    EXPECT_FALSE(TakesDefaultTag(QStringLiteral("/x/a.ogg")));
    EXPECT_FALSE(TakesDefaultTag(QStringLiteral("/x/mp3")));
}

TEST(LimitBoxes, TextsAreCorrectedInTheBox) {
    struct Case {
        const char* typed;
        const char* size;
        const char* time;
    };
    const Case cases[] = {
        {"-7", "7", "7"},
        {"3.9", "3", "5"},
        {"0", "1", "5"},
        {"", "1", "5"},
        {"5000", "2048", "5000"},
        {"2", "2", "5"},
        {"100000", "2048", "86400"},
        {"1e99", "2048", "86400"},
        {"12 MB", "12", "12"},
    };
    for (const Case& c : cases) {
        const LimitText size = NormalizeSizeLimitText(QString::fromLatin1(c.typed));
        const LimitText time = NormalizeTimeLimitText(QString::fromLatin1(c.typed));
        EXPECT_EQ(size.text, QString::fromLatin1(c.size)) << c.typed;
        EXPECT_EQ(size.value, size.text.toInt());
        EXPECT_EQ(time.text, QString::fromLatin1(c.time)) << c.typed;
        // Correcting a corrected text changes nothing.
        EXPECT_EQ(NormalizeSizeLimitText(size.text).text, size.text);
        EXPECT_EQ(NormalizeTimeLimitText(time.text).text, time.text);
    }
}

TEST(Limits, WhichLimitStopsATick) {
    RecordingLimitOptions s;
    s.maxTimeSeconds = 600;
    s.maxSizeMegabytes = 10;
    const qint64 mb10 = 10 * 1024 * 1024;
    struct Case {
        bool time;
        bool size;
        qint64 elapsed;
        std::optional<qint64> bytes;
        LimitReached expected;
    };
    const Case cases[] = {
        {false, false, 10000, mb10 * 2, LimitReached::None},
        {true, false, 599, mb10 * 2, LimitReached::None},
        {true, false, 600, 0, LimitReached::Time},
        {false, true, 0, 10'000'000, LimitReached::None},
        {false, true, 0, mb10 - 1, LimitReached::None},
        {false, true, 0, mb10, LimitReached::Size},
        {false, true, 0, std::nullopt, LimitReached::None},
        {true, true, 600, mb10, LimitReached::Time},
    };
    for (const Case& c : cases) {
        s.timeLimit = c.time;
        s.sizeLimit = c.size;
        EXPECT_EQ(CheckLimits(s, c.elapsed, c.bytes), c.expected) << c.time << c.size << c.elapsed;
    }
}

TEST(VolumeKnob, FullVolumeAtTheTop) {
    EXPECT_EQ(InputVolumeKnobPosition(100, 65535), 0);
    EXPECT_EQ(InputVolumeKnobPosition(100, 0), 100);
    EXPECT_EQ(InputVolumeKnobPosition(2, 32767), 1); // 1.00003 rounds to 1
    EXPECT_EQ(InputVolumeKnobPosition(1, 32767), 1); // 0.500007
    EXPECT_EQ(InputVolumeKnobPosition(0, 0), 0);
}

} // namespace
} // namespace quillotap::test
