// The companion files (cue sounds, manual) of a program in a build tree lie
// beside it; an installed program in <prefix>/bin finds them in
// <prefix>/share/quillotap, whatever the prefix.
#include "TempConfigHome.h"

#include "audio/backends/SyntheticBackend.h"
#include "recording/CueSounds.h"
#include "settings/CompanionFiles.h"
#include "ui/HelpViewer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

namespace quillotap::test {
namespace {

// <root>/prefix/bin/ and <root>/prefix/share/quillotap/, with nothing in them.
class CompanionFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        ASSERT_TRUE(QDir().mkpath(bin()));
        ASSERT_TRUE(QDir().mkpath(share()));
    }
    QString bin() const { return root_.path() + "/my prefix/bin/"; }
    QString share() const { return root_.path() + "/my prefix/share/quillotap/"; }

    static void put(const QString& path, const QByteArray& data = "x") {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(data);
    }

    QTemporaryDir root_;
};

TEST_F(CompanionFiles, FileBesideTheProgramComesFirst) {
    put(bin() + "start.wav");
    put(share() + "start.wav");
    EXPECT_EQ(CompanionFilePath(bin(), "start.wav"), bin() + "start.wav");
}

TEST_F(CompanionFiles, InstalledFileIsFoundInTheShareFolder) {
    put(share() + "stop.wav");
    // The answer is a clean path, as the user sees it in messages.
    EXPECT_EQ(CompanionFilePath(bin(), "stop.wav"), share() + "stop.wav");
    // A folder of that name beside the program is not the file.
    ASSERT_TRUE(QDir().mkdir(bin() + "stop.wav"));
    EXPECT_EQ(CompanionFilePath(bin(), "stop.wav"), share() + "stop.wav");
}

TEST_F(CompanionFiles, MissingFileIsReportedBesideTheProgram) {
    ASSERT_TRUE(QDir().mkdir(share() + "start.wav"));
    EXPECT_EQ(CompanionFilePath(bin(), "start.wav"), bin() + "start.wav");
    EXPECT_EQ(CompanionFilePath(bin(), "stop.wav"), bin() + "stop.wav");
}

TEST_F(CompanionFiles, InstalledManualOpens) {
    put(share() + HelpFileName, "<html><body><h1>Recorder</h1></body></html>");
    EXPECT_EQ(HelpFilePath(bin()), share() + HelpFileName);
    QWidget owner;
    EXPECT_TRUE(ShowHelp(bin(), &owner));
    EXPECT_NE(owner.findChild<HelpBrowser*>(), nullptr);
}

TEST_F(CompanionFiles, InstalledCueSoundPlays) {
    // The shipped cue from the build, placed as an installation places it.
    QString built = qEnvironmentVariable("QUILLOTAP_BIN_DIR");
    if (built.isEmpty())
        built = QCoreApplication::applicationDirPath();
    ASSERT_TRUE(QFile::copy(built + "/start.wav", share() + "start.wav"));

    auto backend = std::make_shared<SyntheticBackend>();
    const QString appFolder = bin();
    qint64 heard = 0;
    CueSounds cues(appFolder, backend, [&](int) {
        QDeadlineTimer deadline(5000);
        while (backend->outputFramesPlayed() == 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        heard = backend->outputFramesPlayed();
    });
    cues.PlayStartCue();
    EXPECT_GT(heard, 0);
}

} // namespace
} // namespace quillotap::test
