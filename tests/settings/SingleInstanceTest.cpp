#include "TempConfigHome.h"

#include "app/SingleInstance.h"

#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>

namespace quillotap::test {
namespace {

class SingleInstanceLock : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString lockPath() const { return dir_.path() + "/quillotap.lock"; }

    // The id of a process that has ended and been reaped.
    static qint64 deadProcessId() {
        QProcess process;
        process.start("true", {});
        EXPECT_TRUE(process.waitForStarted());
        const qint64 pid = process.processId();
        EXPECT_TRUE(process.waitForFinished());
        return pid;
    }

    QTemporaryDir dir_;
};

TEST_F(SingleInstanceLock, SecondHolderFailsUntilTheFirstReleases) {
    SingleInstance first(lockPath());
    SingleInstance second(lockPath());
    ASSERT_TRUE(first.tryLock());
    EXPECT_TRUE(first.tryLock()) << "taking a held lock again is harmless";
    EXPECT_FALSE(second.tryLock());

    QLockFile foreign(lockPath());
    foreign.setStaleLockTime(0);
    EXPECT_FALSE(foreign.tryLock(0));

    first.release();
    EXPECT_TRUE(second.tryLock());
    EXPECT_FALSE(first.tryLock());
}

TEST_F(SingleInstanceLock, LockLeftByACrashedProcessIsTakenOver) {
    // A lock file as a running copy writes it, then its writer "crashes":
    // the process id in it is replaced by that of an ended process.
    QByteArray contents;
    {
        QLockFile model(lockPath());
        ASSERT_TRUE(model.tryLock(0));
        QFile file(lockPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        contents = file.readAll();
        model.unlock();
    }
    const qsizetype lineEnd = contents.indexOf('\n');
    ASSERT_GT(lineEnd, 0);
    contents.replace(0, lineEnd, QByteArray::number(deadProcessId()));
    QFile file(lockPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();

    SingleInstance next(lockPath());
    EXPECT_TRUE(next.tryLock());
}

TEST_F(SingleInstanceLock, LivesInTheRuntimeFolderOrAPrivateFallback) {
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    const bool hadSaved = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");

    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_.path()));
    EXPECT_EQ(SingleInstance::defaultLockFilePath(), lockPath());
    EXPECT_EQ(SingleInstance::defaultSocketPath(), dir_.path() + "/quillotap.socket");

    qunsetenv("XDG_RUNTIME_DIR");
    const QString path = SingleInstance::defaultLockFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    EXPECT_EQ(QFileInfo(SingleInstance::defaultSocketPath()).absolutePath(), folder)
        << "the socket lives beside the lock";
    struct stat st {};
    if (folder == QStringLiteral("/tmp/quillotap-%1").arg(::getuid())) {
        ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_EQ(st.st_uid, ::geteuid());
    } else {
        ADD_FAILURE() << "/tmp/quillotap-<uid> is held by someone else; lock in "
                      << path.toStdString();
    }

    if (hadSaved)
        qputenv("XDG_RUNTIME_DIR", saved);
}

} // namespace
} // namespace quillotap::test
