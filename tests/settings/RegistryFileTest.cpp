#include "TempConfigHome.h"

#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace quillotap::test {
namespace {

unsigned modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// Caps the size of files this process may write, so that a write fails
// halfway through whoever runs the test (root included).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

class RegistryFile : public TempConfigHome {
protected:
    QString folder() const { return home_.path() + QStringLiteral("/quillotap"); }
    QString badPath() const { return hiveFilePath() + QStringLiteral(".bad"); }

    // Runs `body` with the hive's folder made read-only, then restores it.
    template <typename Body> void withReadOnlyFolder(Body body) {
        ASSERT_EQ(::chmod(QFile::encodeName(folder()).constData(), 0500), 0);
        body();
        ::chmod(QFile::encodeName(folder()).constData(), 0700);
    }
};

TEST_F(RegistryFile, FirstWriteCreatesAPrivateHiveThatReloads) {
    ASSERT_FALSE(QFileInfo::exists(folder()));
    WriteSetting("FilePath", "/home/me/Music/");
    WriteSetting("Hotkey1", "CA+R");

    EXPECT_EQ(modeOf(hiveFilePath()), 0600u);
    EXPECT_EQ(modeOf(folder()), 0700u);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{"user.reg"}) << "temp files left";

    Registry::instance().reload();
    EXPECT_EQ(ReadSetting("FilePath"), "/home/me/Music/");
    EXPECT_EQ(ReadSetting("Hotkey1"), "CA+R");
    EXPECT_EQ(Registry::instance().takeDamageReport(), "");
}

TEST_F(RegistryFile, DamagedHiveIsMovedAsideAndReportedOnce) {
    const QByteArray damaged = "REGEDIT4\n"
                               "[HKEY_CURRENT_USER\\Software\\Velmora Software\\Quillotap]\n"
                               "\"MaxSize\"=\"20\n";
    installHive(damaged);

    EXPECT_EQ(ReadSetting("MaxSize"), ""); // defaults apply
    const QString report = Registry::instance().takeDamageReport();
    EXPECT_TRUE(report.contains(hiveFilePath())) << report.toStdString();
    EXPECT_TRUE(report.contains(badPath())) << report.toStdString();
    EXPECT_TRUE(report.contains("line 3")) << report.toStdString();
    EXPECT_FALSE(report.contains('\n'));
    EXPECT_EQ(Registry::instance().takeDamageReport(), "");

    EXPECT_EQ(readAll(badPath()), damaged);
    EXPECT_FALSE(QFileInfo::exists(hiveFilePath()));

    // The next write starts a clean hive and leaves the damaged copy alone;
    // a second damaged hive does not overwrite the first copy.
    WriteSetting("MaxSize", "30");
    EXPECT_EQ(readAll(badPath()), damaged);
    installHive("not a hive");
    EXPECT_EQ(readAll(badPath()), damaged);
    EXPECT_EQ(readAll(badPath() + ".2"), "not a hive");
    EXPECT_FALSE(Registry::instance().takeDamageReport().isEmpty());
}

TEST_F(RegistryFile, WriteCutShortLeavesTheOldHive) {
    WriteSetting("OGGChMode", "Stereo");
    const QByteArray before = readAll(hiveFilePath());
    {
        FileSizeLimit limit(static_cast<rlim_t>(before.size() + 10));
        WriteSetting("ID3_Comment", QString(200, QLatin1Char('x')));
    }
    EXPECT_EQ(readAll(hiveFilePath()), before);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{"user.reg"}) << "temp file left";
    EXPECT_EQ(ReadSetting("ID3_Comment"), "") << "memory must match the disk";
    Registry::instance().reload();
    EXPECT_EQ(ReadSetting("OGGChMode"), "Stereo");
}

TEST_F(RegistryFile, FailedWriteLeavesTheOldHiveAndMemoryAsTheyWere) {
    if (runningAsRoot())
        GTEST_SKIP() << "root ignores folder permissions";
    WriteSetting("PlayStartSound", "Yes");
    const QByteArray before = readAll(hiveFilePath());

    withReadOnlyFolder([&] {
        WriteSetting("PlayStartSound", "No");
        WriteSetting("SizeLimit", "Yes");
        EXPECT_EQ(ReadSetting("PlayStartSound"), "Yes");
        EXPECT_EQ(ReadSetting("SizeLimit"), "");
    });
    EXPECT_EQ(readAll(hiveFilePath()), before);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{"user.reg"});

    WriteSetting("SizeLimit", "Yes"); // works again once the folder is writable
    Registry::instance().reload();
    EXPECT_EQ(ReadSetting("SizeLimit"), "Yes");
}

TEST_F(RegistryFile, DamagedHiveThatCannotBeMovedIsKept) {
    if (runningAsRoot())
        GTEST_SKIP() << "root ignores folder permissions";
    installHive("garbage");
    ASSERT_TRUE(QFile::rename(badPath(), hiveFilePath()));
    withReadOnlyFolder([&] {
        Registry::instance().reload();
        EXPECT_TRUE(Registry::instance().takeDamageReport().contains("could not be moved"));
    });
    WriteSetting("MaxTime", "60"); // refused: it would destroy the only copy
    EXPECT_EQ(readAll(hiveFilePath()), "garbage");
}

} // namespace
} // namespace quillotap::test
