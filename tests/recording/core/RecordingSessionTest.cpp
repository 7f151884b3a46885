// Recording start and stop on the synthetic back end: the files, the
// controls, the status texts, the preview around a recording, and the
// failures a recording must survive.
#include "RecordingFixture.h"

#include "audio/AudioInformation.h"
#include "recording/RecordingTexts.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

namespace quillotap::test {
namespace {

class RecordingSessionTest : public RecordingFixture {};

const QString kDisableAll = QStringLiteral("disable CmdRecord PicMenu1 ComboFormat CmdSet "
                                           "CheckPreview DeviceCombo ComboSource PicSlider3 "
                                           "PicSlider4");
const QString kEnableAll =
    QString(kDisableAll).replace(QStringLiteral("disable"), QStringLiteral("enable"));

struct FormatCase {
    const char* text;
    int rate;
    int channels;
};

TEST_F(RecordingSessionTest, ThreeSecondsInEachFormatMakeOneDatedFileOfThatLength) {
    // Slow enough for every encoder to keep up on a busy machine.
    backend->setSpeed(8);
    session->writer().SetMP3Encoder(MP3Lame());
    session->writer().SetOGGFormat(44100, 2, 128, 0, 0, -1);
    session->writer().SetWMAProfile(14);
    const FormatCase cases[] = {
        {"MP3", 44100, 2}, {"WMA", 0, 0}, {"OGG", 44100, 2}, {"WAV", 44100, 2}, {"VOX", 8000, 1}};
    int minute = 0;
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.text);
        now = QDateTime(QDate(2026, 12, 7), QTime(18, minute++, 41));
        const QStringList before = recordings();
        view.formatText = QString::fromLatin1(c.text);
        const qint64 capturedBefore = backend->capturedFrames();
        recordFor(3);
        const qint64 captured = backend->capturedFrames() - capturedBefore;

        const QStringList after = recordings();
        ASSERT_EQ(after.size(), before.size() + 1);
        const QString expected = now.toString(QStringLiteral("yyyyMMdd-HHmmss.")) +
                                 QString::fromLatin1(c.text).toLower();
        EXPECT_TRUE(after.contains(expected)) << after.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(session->outputFilePath(), session->outputFolder() + expected);

        const Decoded d = decode(session->outputFilePath());
        if (c.rate) {
            EXPECT_EQ(d.rate, c.rate);
            EXPECT_EQ(d.channels, c.channels);
        }
        ASSERT_GT(d.rate, 0);
        EXPECT_GE(captured, 3 * d.rate);
        EXPECT_LE(std::llabs(d.length - captured), d.rate) << "decoded " << d.length;
    }
}

TEST_F(RecordingSessionTest, Mp3RecordingCarriesTheDefaultTag) {
    session->writer().SetMP3Encoder(MP3Lame());
    view.formatText = QStringLiteral("MP3");
    recordFor(1);
    AudioInformation tag;
    ASSERT_TRUE(tag.Open(session->outputFilePath())) << tag.GetErrorText().toStdString();
    EXPECT_EQ(tag.Title, QString());
    EXPECT_EQ(tag.Artist, QString());
    EXPECT_EQ(tag.Album, QString());
    EXPECT_EQ(tag.Comment, QString());
    EXPECT_EQ(tag.Genre, -1);
    EXPECT_EQ(tag.Year, QDate::currentDate().year());
    EXPECT_EQ(tag.Track, 1);
}

TEST_F(RecordingSessionTest, ControlsStatusAndLabelsFollowTheRecording) {
    session->start();
    ASSERT_TRUE(session->isRecording());
    EXPECT_EQ(view.log,
              (QStringList{kDisableAll, QStringLiteral("status Ready to record"),
                           QStringLiteral("playnow off"), QStringLiteral("status Recording")}));
    EXPECT_EQ(view.saveFileText, session->outputFilePath());
    EXPECT_TRUE(waitFor([&] { return view.sizeText.endsWith(QStringLiteral(" KB")); }));

    view.log.clear();
    session->stop();
    EXPECT_FALSE(session->isRecording());
    EXPECT_EQ(
        view.log,
        (QStringList{kEnableAll, QStringLiteral("playnow on"),
                     QStringLiteral("status Ready to record"), QStringLiteral("preview click"),
                     QStringLiteral("status Ready to record"), QStringLiteral("icon ready")}));
    EXPECT_EQ(view.sizeText, FinalSizeText(QFileInfo(session->outputFilePath()).size()));
    EXPECT_TRUE(view.sizeText.endsWith(QStringLiteral(" Kb")));
    EXPECT_GT(filesFinished, 0);
    EXPECT_FALSE(session->recorder().IsRunning());
    EXPECT_TRUE(view.lastShown.empty()); // the pane was cleared
}

TEST_F(RecordingSessionTest, RecordWhileRecordingAndStopWhileIdleDoNothing) {
    session->stop(); // idle
    EXPECT_TRUE(view.log.isEmpty());

    session->start();
    ASSERT_TRUE(session->isRecording());
    const QString path = session->outputFilePath();
    view.log.clear();
    now = now.addSecs(5);
    session->start();
    EXPECT_TRUE(view.log.isEmpty());
    EXPECT_EQ(session->outputFilePath(), path);
    EXPECT_EQ(recordings().size(), 1);

    session->stop();
    view.log.clear();
    session->stop();
    EXPECT_TRUE(view.log.isEmpty());
}

TEST_F(RecordingSessionTest, StopWhilePreviewingDoesNothing) {
    view.previewChecked = true;
    view.runPreviewClick();
    ASSERT_TRUE(session->recorder().IsRunning());
    view.log.clear();
    session->stop();
    EXPECT_TRUE(view.log.isEmpty());
    EXPECT_TRUE(session->recorder().IsRunning());
    EXPECT_TRUE(recordings().isEmpty());
}

TEST_F(RecordingSessionTest, PreviewRunsAgainAfterAStopOnlyWhenTicked) {
    for (bool ticked : {true, false}) {
        SCOPED_TRACE(ticked);
        view.previewChecked = ticked;
        view.runPreviewClick();
        now = now.addSecs(1);
        session->start();
        ASSERT_TRUE(session->isRecording());
        session->stop();
        EXPECT_EQ(session->recorder().IsRunning(), ticked);
        if (ticked) {
            const int shown = view.samplesShown;
            EXPECT_TRUE(waitFor([&] { return view.samplesShown > shown + 2; }));
            EXPECT_FALSE(session->isRecording());
        }
    }
}

TEST_F(RecordingSessionTest, PreviewKeepsItsFormatUntilRestarted) {
    // The audio-file object reports the format of the file it created last.
    session->writer().CreateForWriting(outputDir.filePath(QStringLiteral("first.wav")));
    session->writer().CloseWriter();
    view.previewChecked = true;
    view.runPreviewClick();
    ASSERT_EQ(view.displayRate, 44100);
    // Another format is chosen and becomes the audio-file object's format.
    session->writer().SetWAVFormat(8000, 1, 16);
    session->writer().CreateForWriting(outputDir.filePath(QStringLiteral("probe.wav")));
    session->writer().CloseWriter();
    ASSERT_EQ(session->writer().GetSampleRate(), 8000);

    // The running capture still delivers 44.1 kHz stereo.
    const qint64 frames = backend->capturedFrames();
    ASSERT_TRUE(waitFor([&] { return backend->capturedFrames() > frames + 44100; }));
    const SampleBlock recent = session->recorder().GetLastSamples(4096);
    EXPECT_EQ(recent.size(), 4096u); // stereo: whole frames of two elements
    EXPECT_EQ(session->recorder().SamplesToMilliseconds(44100), 1000);
    EXPECT_EQ(view.displayRate, 44100);

    // The next start takes the new format.
    session->start();
    ASSERT_TRUE(session->isRecording());
    EXPECT_EQ(view.displayRate, 8000);
    EXPECT_EQ(view.displayChannels, 1);
}

// ---- mended faults ----

TEST_F(RecordingSessionTest, SecondRecordingInTheSameSecondGetsACounter) {
    for (int i = 0; i < 3; ++i)
        recordFor(1);
    EXPECT_EQ(recordings(), (QStringList{QStringLiteral("20261207-181541-2.wav"),
                                         QStringLiteral("20261207-181541-3.wav"),
                                         QStringLiteral("20261207-181541.wav")}));
    for (const QString& name : recordings())
        EXPECT_GE(decode(session->outputFolder() + name).length, 44100) << name.toStdString();
    EXPECT_TRUE(view.errors.isEmpty());
}

TEST_F(RecordingSessionTest, UncreatableFileUndoesRecordAndSaysWhy) {
    // A folder path that runs through a regular file: nobody, root included,
    // can create anything below it.
    QFile blocker(outputDir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    session->setOutputFolder(blocker.fileName() + QLatin1Char('/'));
    view.previewChecked = true;
    view.runPreviewClick();
    view.log.clear();

    session->start();
    EXPECT_FALSE(session->isRecording());
    EXPECT_EQ(view.log.first(), kDisableAll);
    EXPECT_TRUE(view.log.contains(kEnableAll));
    EXPECT_EQ(view.log.last(), QStringLiteral("error"));
    EXPECT_NE(view.statusText, QStringLiteral("Recording"));
    EXPECT_TRUE(view.playNowEnabled);
    EXPECT_TRUE(session->recorder().IsRunning()); // the preview is back
    ASSERT_EQ(view.errors.size(), 1);
    const QString why = session->writer().GetErrorText();
    EXPECT_FALSE(why.isEmpty());
    EXPECT_TRUE(view.errors[0].contains(why)) << view.errors[0].toStdString();
    EXPECT_TRUE(view.errors[0].contains(session->outputFilePath()));
}

TEST_F(RecordingSessionTest, CaptureThatCannotStartLeavesNoFileAndStaysIdle) {
    backend->setCaptureFailure(true);
    session->start();
    EXPECT_FALSE(session->isRecording());
    EXPECT_FALSE(session->isRecording());
    EXPECT_TRUE(recordings().isEmpty());
    EXPECT_FALSE(session->writer().IsWriting());
    EXPECT_TRUE(view.log.contains(kEnableAll));
    EXPECT_TRUE(view.playNowEnabled);
    EXPECT_NE(view.statusText, QStringLiteral("Recording"));
    ASSERT_EQ(view.errors.size(), 1);
    EXPECT_TRUE(view.errors[0].contains(session->recorder().GetErrorText()));

    backend->setCaptureFailure(false);
    recordFor(1); // and the next attempt works
    EXPECT_EQ(recordings().size(), 1);
}

TEST_F(RecordingSessionTest, RemovedFolderStopsTheRecordingAndTellsOnce) {
    const QString folder = outputDir.filePath(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().mkpath(folder));
    session->setOutputFolder(folder + QLatin1Char('/'));
    session->start();
    ASSERT_TRUE(session->isRecording());
    ASSERT_TRUE(waitFor([&] { return view.timeText >= QStringLiteral("00:00:02"); }));
    ASSERT_TRUE(QDir(folder).removeRecursively());

    EXPECT_TRUE(waitFor([&] { return !session->isRecording(); }));
    EXPECT_TRUE(view.log.contains(kEnableAll));
    EXPECT_FALSE(session->recorder().IsRunning());
    ASSERT_EQ(view.errors.size(), 1);
    EXPECT_TRUE(view.errors[0].contains(QStringLiteral("could not be written")));
    // Later blocks and stops change nothing.
    session->stop();
    session->stopCapture();
    EXPECT_EQ(view.errors.size(), 1);
}

// A file-size limit of the process stands in for a full disk: writes beyond
// it fail with EFBIG, for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = saved_;
        lower.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

TEST_F(RecordingSessionTest, FullDiskStopsTheRecordingAndKeepsWhatWasWritten) {
    const qint64 limit = 3 * 44100 * 4 + 1000; // a little over three seconds of WAV
    {
        FileSizeLimit full(rlim_t{limit});
        session->start();
        ASSERT_TRUE(session->isRecording());
        EXPECT_TRUE(waitFor([&] { return !session->isRecording(); }));
    }
    ASSERT_EQ(view.errors.size(), 1);
    EXPECT_TRUE(view.errors[0].contains(session->outputFilePath()));
    EXPECT_TRUE(view.log.contains(kEnableAll));
    const Decoded d = decode(session->outputFilePath());
    EXPECT_GE(d.length, 3 * 44100); // every whole block that fitted
    EXPECT_LE(QFileInfo(session->outputFilePath()).size(), limit);
}

// A small tmpfs is a real full disk; mounting needs privileges the test may
// not have, and then the file-size limit above stands in for it.
TEST_F(RecordingSessionTest, FullTmpfsStopsTheRecordingAndKeepsWhatWasWritten) {
    const QString mountPoint = outputDir.filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=400k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    session->setOutputFolder(mountPoint + QLatin1Char('/'));
    session->start();
    ASSERT_TRUE(session->isRecording());
    EXPECT_TRUE(waitFor([&] { return !session->isRecording(); }));
    EXPECT_EQ(view.errors.size(), 1);
    const Decoded d = decode(session->outputFilePath());
    EXPECT_GE(d.length, 2 * 44100); // two whole blocks fit into 400 KiB
    ::umount2(QFile::encodeName(mountPoint).constData(), MNT_DETACH);
}

TEST_F(RecordingSessionTest, EveryBlockLeftAfterTheStopIsWritten) {
    backend->setDevices(SyntheticBackend::parseDevices(QStringLiteral("Counter:Counter")));
    session->recorder().SetDevice(0);
    for (int seconds : {1, 2}) {
        SCOPED_TRACE(seconds);
        now = now.addSecs(1);
        const qint64 before = backend->capturedFrames();
        recordFor(seconds);
        const qint64 captured = backend->capturedFrames() - before;
        const Decoded d = decode(session->outputFilePath());
        EXPECT_EQ(d.length, captured);
        EXPECT_EQ(firstCounterMismatch(d.samples), -1);
    }
}

TEST_F(RecordingSessionTest, NextRecordingStartsFromZeroTimeAndSize) {
    recordFor(2);
    ASSERT_EQ(view.timeText, QStringLiteral("00:00:02"));
    ASSERT_TRUE(view.sizeText.endsWith(QStringLiteral(" Kb")));
    now = now.addSecs(10);
    session->start(); // no tick has come yet
    ASSERT_TRUE(session->isRecording());
    EXPECT_EQ(view.timeText, QStringLiteral("00:00:00"));
    EXPECT_EQ(view.sizeText, RunningSizeText(0));
}

TEST_F(RecordingSessionTest, MissingOutputFolderIsCreatedOneLevelDeep) {
    session->setOutputFolder(outputDir.filePath(QStringLiteral("Quillotap/")));
    recordFor(1);
    EXPECT_TRUE(view.errors.isEmpty()) << view.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(QFileInfo(session->outputFolder()).isDir());
    EXPECT_GE(decode(session->outputFilePath()).length, 44100);

    // Two levels are not made: the start fails and says which folder and why.
    view.errors.clear();
    session->setOutputFolder(outputDir.filePath(QStringLiteral("gone/Quillotap/")));
    session->start();
    EXPECT_FALSE(session->isRecording());
    EXPECT_FALSE(QFileInfo::exists(outputDir.filePath(QStringLiteral("gone"))));
    ASSERT_EQ(view.errors.size(), 1);
    EXPECT_TRUE(view.errors[0].contains(
        QStringLiteral("\"%1\" could not be created").arg(session->outputFolder())))
        << view.errors[0].toStdString();
    EXPECT_TRUE(view.errors[0].contains(QStringLiteral("No such file or directory")))
        << view.errors[0].toStdString();
    EXPECT_TRUE(view.log.contains(kEnableAll));
}

// The input goes away while it is used (a microphone unplugged).
class InputLossTest : public RecordingSessionTest {
protected:
    void SetUp() override {
        RecordingSessionTest::SetUp();
        backend->setDevices(SyntheticBackend::parseDevices(QStringLiteral("Mic:Counter")));
        session->recorder().SetDevice(0);
    }
};

TEST_F(InputLossTest, PreviewEndsWithTheReasonOnTheStatusLine) {
    view.previewChecked = true;
    view.runPreviewClick();
    ASSERT_TRUE(session->recorder().IsRunning());
    ASSERT_TRUE(waitFor([&] { return view.samplesShown > 2; }));

    backend->removeDevice(0);
    ASSERT_TRUE(waitFor([&] { return view.statusText.startsWith(QStringLiteral("Preview")); }));
    EXPECT_EQ(view.statusText, QStringLiteral("Preview stopped. The input \"Mic\" was removed."));
    EXPECT_FALSE(session->recorder().IsRunning());
    EXPECT_TRUE(view.lastShown.empty()); // the pane was cleared
    EXPECT_TRUE(view.errors.isEmpty());
    EXPECT_TRUE(view.stopReasons.isEmpty());
    EXPECT_TRUE(recordings().isEmpty());
}

} // namespace
} // namespace quillotap::test
