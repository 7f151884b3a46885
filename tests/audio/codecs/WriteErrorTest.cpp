// Disk full, a deleted folder and existing files: the writer reports the
// failure, keeps what it wrote and never replaces a file.
#include "CodecTestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillotap;
using namespace quillotap::test;

namespace {

const char* const kExtensions[] = {"mp3", "ogg", "wav", "wma", "vox", "flac", "opus"};

TEST(CreateForWriting, NeverReplacesAnExistingFile) {
    QTemporaryDir dir;
    for (const char* ext : kExtensions) {
        const QString path = dir.filePath(QStringLiteral("existing.") + ext);
        writeBytes(path, "keep me");
        AudioFile f;
        f.CreateForWriting(path, 0);
        EXPECT_LT(f.GetStatus(), 0) << ext;
        EXPECT_TRUE(f.GetErrorText().contains("already exists")) << ext;
        EXPECT_FALSE(f.IsWriting());
        EXPECT_FALSE(f.WriteSamples(SampleBlock(1000, 0)));
        EXPECT_EQ(readBytes(path), "keep me") << ext;
    }
}

TEST(CreateForWriting, RefusesUnknownExtensionsAndMissingFolders) {
    QTemporaryDir dir;
    AudioFile f;
    f.CreateForWriting(dir.filePath("song.aiff"), 0);
    EXPECT_LT(f.GetStatus(), 0);
    EXPECT_FALSE(f.GetErrorText().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("song.aiff")));

    f.CreateForWriting(dir.filePath("no/such/folder/a.wav"), 0);
    EXPECT_LT(f.GetStatus(), 0);
    EXPECT_TRUE(f.GetErrorText().contains("folder"));

    // A later successful create clears the failure.
    f.CreateForWriting(dir.filePath("ok.wav"), 0);
    EXPECT_EQ(f.GetStatus(), 0);
    EXPECT_TRUE(f.GetErrorText().isEmpty());
}

TEST(WriteErrors, DeletedFolderStopsTheWriter) {
    for (const char* ext : kExtensions) {
        QTemporaryDir dir;
        const QString folder = dir.filePath("recordings");
        ASSERT_TRUE(QDir().mkpath(folder));
        AudioFile f;
        f.CreateForWriting(folder + "/rec." + ext, 0);
        ASSERT_EQ(f.GetStatus(), 0) << ext;
        const int rate = f.GetSampleRate(), ch = f.GetChannels();
        ASSERT_TRUE(writeTone(f, 440, 1.0, rate, ch)) << ext;
        EXPECT_TRUE(f.GetWriteError().isEmpty());
        ASSERT_TRUE(QDir(folder).removeRecursively());
        EXPECT_FALSE(writeTone(f, 440, 1.0, rate, ch)) << ext;
        EXPECT_TRUE(f.GetWriteError().contains("deleted")) << ext;
        EXPECT_FALSE(writeTone(f, 440, 1.0, rate, ch)) << ext; // and stays refused
        f.Close();
        EXPECT_FALSE(f.IsWriting());
    }
}

// Runs in a forked child because it lowers the file-size limit: writing
// stops with an error once the limit is reached. Returns the exit code.
int fillUntilTheLimit(const QString& path, rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 2;
    AudioFile f;
    f.SetWMAProfile(14);
    f.CreateForWriting(path, 0);
    if (f.GetStatus() != 0)
        return 3;
    bool refused = false;
    for (int second = 0; second < 300 && !refused; ++second)
        refused = !writeTone(f, 440, 1.0, f.GetSampleRate(), f.GetChannels());
    if (!refused || !f.GetWriteError().contains("largest size"))
        return 4;
    if (writeTone(f, 440, 1.0, f.GetSampleRate(), f.GetChannels()))
        return 5; // a block accepted after the error
    f.Close();
    return 0;
}

TEST(WriteErrors, FullDiskKeepsWhatWasWritten) {
    constexpr rlim_t kLimit = 48 * 1024;
    for (const char* ext : kExtensions) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("full.") + ext);
        std::fflush(nullptr);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            _exit(fillUntilTheLimit(path, kLimit));
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << ext << ": the writer crashed";
        EXPECT_EQ(WEXITSTATUS(status), 0) << ext;
        const qint64 size = QFileInfo(path).size();
        EXPECT_GT(size, qint64(kLimit) / 2) << ext;
        EXPECT_LE(size, qint64(kLimit)) << ext;
        // WMA keeps its data too, but its index is written only at the end.
        if (QByteArray(ext) != "wma") {
            const Decoded d = decodeFile(path);
            ASSERT_EQ(d.status, 0) << ext << ": " << d.error.toStdString();
            EXPECT_GT(d.seconds(), 0.2) << ext;
        }
    }
}

} // namespace
