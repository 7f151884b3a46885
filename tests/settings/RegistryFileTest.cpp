#include "FileReplacements.h"
#include "FileSizeLimit.h"
#include "TempConfigHome.h"

#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillotap::test {
namespace {

unsigned modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// Leaves this process no free file descriptor, so that creating any file
// fails for whoever runs the test (root included): the limit is set to the
// lowest free descriptor, and every descriptor below it is in use.
class NoFreeDescriptors {
public:
    NoFreeDescriptors() {
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (lowestFree < 0)
            return;
        ::close(lowestFree);
        rlimit limit = saved_;
        limit.rlim_cur = static_cast<rlim_t>(lowestFree);
        active_ = ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
    }
    ~NoFreeDescriptors() { ::setrlimit(RLIMIT_NOFILE, &saved_); }
    bool active() const { return active_; }

private:
    rlimit saved_{};
    bool active_ = false;
};

class RegistryFile : public TempConfigHome {
protected:
    QString folder() const { return home_.path() + QStringLiteral("/quillotap"); }
    QString badPath() const { return hiveFilePath() + QStringLiteral(".bad"); }
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
    WriteSetting("PlayStartSound", "Yes");
    const QByteArray before = readAll(hiveFilePath());
    {
        NoFreeDescriptors noFiles;
        ASSERT_TRUE(noFiles.active());
        WriteSetting("PlayStartSound", "No");
        WriteSetting("SizeLimit", "Yes");
        EXPECT_EQ(ReadSetting("PlayStartSound"), "Yes");
        EXPECT_EQ(ReadSetting("SizeLimit"), "");
    }
    EXPECT_EQ(readAll(hiveFilePath()), before);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{"user.reg"});

    WriteSetting("SizeLimit", "Yes"); // works again once files can be created
    Registry::instance().reload();
    EXPECT_EQ(ReadSetting("SizeLimit"), "Yes");
    EXPECT_EQ(ReadSetting("PlayStartSound"), "Yes");
}

TEST_F(RegistryFile, DamagedHiveThatCannotBeMovedIsKept) {
    // Every name a damaged copy may take is in use already.
    QDir().mkpath(folder());
    QStringList taken{badPath()};
    for (int n = 2; n < 1000; ++n)
        taken << badPath() + QLatin1Char('.') + QString::number(n);
    for (const QString& path : taken) {
        QFile copy(path);
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly)) << path.toStdString();
    }
    installHive("garbage");
    EXPECT_TRUE(Registry::instance().takeDamageReport().contains("could not be moved"));
    EXPECT_EQ(ReadSetting("MaxTime"), "");
    WriteSetting("MaxTime", "60"); // refused: it would destroy the only copy
    EXPECT_EQ(readAll(hiveFilePath()), "garbage");
    EXPECT_EQ(ReadSetting("MaxTime"), "");
    EXPECT_EQ(readAll(badPath()), "");
}

// A save of many values rewrites the file once, when the group ends; until
// then the file holds the settings from before the save.
TEST_F(RegistryFile, AWriteGroupRewritesTheFileOnceWhenItEnds) {
    WriteSetting("FilePath", "/home/me/Music/");
    const QByteArray before = readAll(hiveFilePath());
    FileReplacements replaced(folder(), QStringLiteral("user.reg"));
    {
        SettingsWriteGroup save;
        for (int n = 0; n < 50; ++n)
            WriteSetting(QStringLiteral("Value%1").arg(n), QString::number(n * n));
        {
            SettingsWriteGroup inner; // groups nest: only the outermost writes
            WriteSetting("FilePath", "/home/me/Takes/");
        }
        EXPECT_EQ(readAll(hiveFilePath()), before);
        EXPECT_EQ(replaced.take(), 0);
        EXPECT_EQ(ReadSetting("Value7"), "49"); // memory has every change at once
        EXPECT_EQ(ReadSetting("FilePath"), "/home/me/Takes/");
    }
    EXPECT_EQ(replaced.take(), 1);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{"user.reg"});
    Registry::instance().reload();
    EXPECT_EQ(ReadSetting("Value0"), "0");
    EXPECT_EQ(ReadSetting("Value49"), "2401");
    EXPECT_EQ(ReadSetting("FilePath"), "/home/me/Takes/");

    // A group that changes nothing leaves the file alone.
    {
        SettingsWriteGroup save;
        WriteSetting("Value3", "9");
    }
    EXPECT_EQ(replaced.take(), 0);
}

TEST_F(RegistryFile, AGroupWhoseWriteFailsLeavesFileAndMemoryAsBefore) {
    WriteSetting("PlayStartSound", "Yes");
    const QByteArray before = readAll(hiveFilePath());
    {
        FileSizeLimit limit(static_cast<rlim_t>(before.size() + 10));
        SettingsWriteGroup save;
        WriteSetting("PlayStartSound", "No");
        WriteSetting("ID3_Comment", QString(200, QLatin1Char('x')));
        EXPECT_EQ(ReadSetting("PlayStartSound"), "No");
    } // the group ends before the limit is lifted
    EXPECT_EQ(readAll(hiveFilePath()), before);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{"user.reg"}) << "temp file left";
    EXPECT_EQ(ReadSetting("PlayStartSound"), "Yes") << "memory must match the disk";
    EXPECT_EQ(ReadSetting("ID3_Comment"), "");
}

} // namespace
} // namespace quillotap::test
